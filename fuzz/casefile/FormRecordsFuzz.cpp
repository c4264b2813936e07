// Feeds arbitrary bytes to the case-file reader: as they are, and after the banner so that
// the records themselves are explored. Only the reader's own errors may leave it.
#include "casefile/SaveFormData.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/UnitLists.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace tubalon;

namespace {

std::unique_ptr<QWidget> MakeWindow() {
    auto root = std::make_unique<QWidget>();
    QWidget* r = root.get();
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    auto* g = new TRadioGroup(QStringLiteral("流型"),
                              {QStringLiteral("逆流"), QStringLiteral("并流")}, 2, r);
    named(g, "FlowType");
    auto* c = new QComboBox(r);
    c->addItems({"a", "b", "c"});
    named(c, "ShapeD");
    named(new QLineEdit(r), "HTrD");
    named(new QCheckBox(r), "CBAuto");
    named(new QRadioButton(r), "Radio1");
    named(new QLabel(r), "WrL");
    auto* f = new TEditD(r);
    named(f, "WrD");
    auto* u = new TComboBoxU(r);
    named(u, "WrU");
    u->addItems(UnitItems(UnitKind::MassFlow));
    u->SetAssociated(f);
    u->Loaded();
    named(new TRichEdit(r), "CmtsD");
    named(new QPlainTextEdit(r), "Memo1");
    auto* l = new QListWidget(r);
    named(l, "CheckList1");
    for (int i = 0; i < 3; ++i)
        (new QListWidgetItem(QString::number(i), l))->setCheckState(Qt::Unchecked);
    return root;
}

void ReadOnce(const QByteArray& data) {
    const std::unique_ptr<QWidget> w = MakeWindow();
    try {
        ReadFormRecords(CollectComponents(w.get()), data);
    } catch (const Error&) {
        // a clear message for a damaged file is the expected outcome
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qargc = 1;
    static char name[] = "casefile_fuzz";
    static char* qargv[] = {name, nullptr};
    new QApplication(qargc, qargv);
    (void)argc;
    (void)argv;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ReadOnce(raw);
    ReadOnce(QByteArray("Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n\r\n") + raw);
    return 0;
}
