// The document commands on the main window, with scripted dialogs and answers.
#include "casefile/DocCommands.h"
#include "app/CalcTool.h"
#include "app/UnitMain.h"
#include "casefile/MruUnit.h"
#include "casefile/SaveFormData.h"
#include "units/Colors.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <sys/stat.h>

using namespace tubalon;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window with its commands; dialogs answer from a script and are logged by title.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<TFormTubalon> w = std::make_unique<TFormTubalon>();
    TDocCommands* docs = new TDocCommands(*w);
    std::deque<QString> answers; // paths the dialogs return in turn ("" = cancel)
    QStringList shown;           // titles of the dialogs shown
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    int asked = 0;

    Session() {
        docs->MRF()->SetStoreOnDestroy(false);
        docs->MRF()->SetIniFile(dir.filePath("tubalon.ini"));
        docs->fileDialog = [this](QWidget*, const FileDialogSetup& d) {
            shown << d.title;
            if (answers.empty()) return QString();
            const QString a = answers.front();
            answers.pop_front();
            return a;
        };
        docs->askSave = [this](QWidget*) {
            ++asked;
            return answer;
        };
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Set(const QString& name, const QString& value) {
        const QString e = SetControl(*w, name, value);
        QVERIFY2(e.isEmpty(), qPrintable(e));
    }
    // A straight water-water case filled in and calculated.
    void FillCase() {
        for (const auto& [n, v] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"WrD", "2"},      {"Tr1D", "90"},     {"Tr2D", "60"},    {"CprD", "4187"},
                 {"DenrD", "970"},  {"MrD", "0.00035"}, {"LdrD", "0.67"},  {"Tt1D", "20"},
                 {"Tt2D", "50"},    {"CptD", "4180"},   {"DentD", "995"},  {"MtD", "0.0008"},
                 {"LdtD", "0.61"},  {"SlD", "6"},       {"TaD", "20"},     {"BpD", "0.05"},
                 {"ErD", "0.0002"}, {"EtD", "0.0002"},  {"RsD", "0.0002"}, {"RtD", "0.0002"}})
            Set(n, v);
        Set("CmtsD", QStringLiteral("热水"));
    }
    TEditD* Field(const char* name) const { return w->findChild<TEditD*>(name); }
    // FillCase, then Save, naming the case's own file; the bytes saved.
    QByteArray SaveFilled(const QString& name) {
        FillCase();
        answers = {Path(name)};
        docs->MFSaveClick();
        return ReadAll(Path(name));
    }
};

// Every record of a window as written, for comparing whole states.
QByteArray Snapshot(const TFormTubalon& w) {
    return WriteFormRecords(w.Components(), false, CaseExcludedNames());
}

} // namespace

class DocCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetHeadlessMessages(true); }
    void caseFileHoldsTheWholeWindow();
    void saveAndReopenRestoresEverything();
    void savePrompt_data();
    void savePrompt();
    void exitAsksOnceAndNoCloses();
    void newCase_data();
    void newCase();
    void newFromBlankTemplate();
    void saveNamesOnlyWhenNeeded();
    void templateLeavesTitleAndList();
    void openTemplateAndWrongBanner();
    void openErrorStopsTheCommand();
    void recentFileOpens();
    void dialogsAsDescribed();
    void toolOptions();
    void shippedCasesReadBackUnchanged_data();
    void shippedCasesReadBackUnchanged();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void utf8CaseReadAfterAsking();
    void damagedTemplateStopsNew();
    void saveRefusals_data();
    void saveRefusals();
    void implausibleInputsOfAFile();
};

void DocCommandsTest::caseFileHoldsTheWholeWindow() {
    Session s;
    const QString path = s.Path("a.cdp");
    WriteCaseFile(*s.w, path);
    QStringDecoder dec("GBK");
    const QStringList lines = QString(dec.decode(ReadAll(path))).split("\r\n");
    QCOMPARE(lines[0], QStringLiteral("Compatible Form Record File"));
    QCOMPARE(lines[1], QStringLiteral("Version 1.1,2007.07.17"));
    QCOMPARE(lines.size() - 4, 375 * 5); // after the split the last element is empty
    QStringList names;
    for (qsizetype i = 3; i + 4 < lines.size(); i += 5)
        if (names.isEmpty() || names.last() != lines[i]) names << lines[i];
    QCOMPARE(names.mid(0, 9), (QStringList{"FlowType", "CalTypeD", "CsminD", "EditLHysysName",
                                           "CBAuto", "ShapeD", "LayType", "doiD", "doiU"}));
    QVERIFY(!names.contains("REReport"));
    QVERIFY(names.contains("CmtsD") && names.contains("CmttD"));
}

void DocCommandsTest::saveAndReopenRestoresEverything() {
    Session s;
    s.FillCase();
    s.Set("WrU", "2");
    s.Set("PhrD", "1");
    s.Set("DHrD", "2257000");
    s.Set("PhrD", "0");
    QVERIFY(s.w->Modified());
    const QString path = s.Path("case.cdp");
    s.answers = {path};
    QVERIFY(s.docs->MFSaveClick());
    QCOMPARE(s.w->windowTitle(), QStringLiteral("Tubalon-[") + path + "]");
    QVERIFY(!s.w->Modified());
    QCOMPARE(s.docs->MRF()->Files(), QStringList{path});
    const QByteArray saved = ReadAll(path);
    QCOMPARE(saved, Snapshot(*s.w));

    Session t;
    t.answers = {path};
    QVERIFY(t.docs->MFOpenClick());
    QCOMPARE(Snapshot(*t.w), saved);
    QCOMPARE(t.w->CurrentFile(), path);
    QVERIFY(!t.w->Modified());
    QCOMPARE(t.Field("WrD")->text(), s.Field("WrD")->text());
    QCOMPARE(t.Field("DHrD")->text(), QStringLiteral("2257000"));
    QVERIFY(!t.Field("DHrD")->isEnabled()); // the phase rule as saved
    QCOMPARE(ColorOf(t.Field("QrD")), ColorOf(s.Field("QrD")));
    // Saving again writes the same bytes.
    QVERIFY(t.docs->MFSaveClick());
    QCOMPARE(ReadAll(path), saved);
}

void DocCommandsTest::savePrompt_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("dialog"); // what the save dialog returns
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("written");
    QTest::newRow("no") << true << int(QMessageBox::No) << "" << true << false;
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << "" << false << false;
    QTest::newRow("box closed") << true << int(QMessageBox::NoButton) << "" << false << false;
    QTest::newRow("yes, named") << true << int(QMessageBox::Yes) << "" << true << true;
    QTest::newRow("yes, dialog") << false << int(QMessageBox::Yes) << "x.cdp" << true << true;
    QTest::newRow("yes, dialog cancelled")
        << false << int(QMessageBox::Yes) << "" << false << false;
    QTest::newRow("yes, save fails")
        << false << int(QMessageBox::Yes) << "no/dir/x.cdp" << false << false;
}

void DocCommandsTest::savePrompt() {
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(QString, dialog);
    QFETCH(bool, goesOn);
    QFETCH(bool, written);
    // Through the close query and through Open (whose own dialog is then cancelled).
    for (int via = 0; via < 2; ++via) {
        Session s;
        const QString file = named ? s.Path("x.cdp") : QString();
        s.w->SetCurrentFile(file);
        s.Set("WrD", "3");
        QVERIFY(s.w->Modified());
        s.answer = static_cast<QMessageBox::StandardButton>(answer);
        s.answers = {dialog.isEmpty() ? QString() : s.Path(dialog)};
        const int errors = MessagesShown();
        const bool closed = via == 0 ? s.w->close() : s.docs->MFOpenClick();
        QCOMPARE(s.asked, 1);
        if (via == 0) QCOMPARE(closed, goesOn);
        if (via == 1) QCOMPARE(s.shown.contains(QStringLiteral("打开项目文件")), goesOn);
        // Open whose own dialog is then cancelled replaces nothing: a case not saved stays
        // marked modified, whatever the answer was.
        QCOMPARE(s.w->Modified(), via == 0 ? !goesOn : !written);
        QCOMPARE(QFile::exists(s.Path("x.cdp")), written);
        QCOMPARE(MessagesShown() > errors, dialog.startsWith("no/"));
        if (written) QCOMPARE(s.w->windowTitle(), "Tubalon-[" + s.Path("x.cdp") + "]");
    }
}

void DocCommandsTest::exitAsksOnceAndNoCloses() {
    Session s;
    s.w->show();
    s.Set("WrD", "3");
    s.answer = QMessageBox::No;
    QVERIFY(s.docs->MFExitClick());
    QCOMPARE(s.asked, 1);
    QVERIFY(!s.w->isVisible());
    QVERIFY(s.shown.isEmpty());

    Session t;
    t.w->show();
    t.Set("WrD", "3");
    t.answer = QMessageBox::Cancel;
    QVERIFY(!t.docs->MFExitClick());
    QVERIFY(t.w->isVisible());
    QVERIFY(t.w->Modified());
}

void DocCommandsTest::newCase_data() {
    QTest::addColumn<bool>("withTemplate");
    QTest::addColumn<bool>("named");
    // Cancelling the template picker cancels New (it went on to ask for a name).
    QTest::newRow("template cancelled") << false << false;
    QTest::newRow("name cancelled") << true << false;
    QTest::newRow("from template") << true << true;
}

void DocCommandsTest::newCase() {
    QFETCH(bool, withTemplate);
    QFETCH(bool, named);
    Session s;
    const QString temp = s.Path("t.dpt");
    {
        Session maker;
        maker.Set("WrD", "7");
        maker.Set("ShapeD", "1");
        WriteCaseFile(*maker.w, temp);
    }
    s.FillCase();
    s.answer = QMessageBox::No;
    const QByteArray before = Snapshot(*s.w);
    const QString file = s.Path("new.cdp");
    s.answers = {withTemplate ? temp : QString(), named ? file : QString()};
    QCOMPARE(s.docs->MFNewClick(), named);
    QStringList shown{QStringLiteral("请选择模板")};
    if (withTemplate) shown << QStringLiteral("保存项目文件");
    QCOMPARE(s.shown, shown);
    QVERIFY(!QFile::exists(file));
    if (!named) {
        QCOMPARE(Snapshot(*s.w), before);
        return;
    }
    QCOMPARE(s.w->windowTitle(), "Tubalon-[" + file + "]");
    QVERIFY(!s.w->Modified());
    QVERIFY(s.docs->MRF()->Files().isEmpty());
    QCOMPARE(s.Field("WrD")->text(), withTemplate ? QStringLiteral("7") : QString());
    QCOMPARE(s.Field("Tr1D")->text(), QString());
    QCOMPARE(s.w->findChild<QComboBox*>("ShapeD")->currentIndex(), withTemplate ? 1 : 0);
    // The template's own numbers (the flow, and the pitch its shape filled in) only.
    const QStringList kept = withTemplate ? QStringList{"WrD", "DspD"} : QStringList{};
    for (TEditD* f : s.w->NumericFields())
        if (!kept.contains(f->objectName()))
            QVERIFY2(f->text().isEmpty(), qPrintable(f->objectName()));
}

// New from the blank template gives the case of a fresh window under the new name.
void DocCommandsTest::newFromBlankTemplate() {
    Session s;
    const QString blank = s.Path("blank.dpt");
    QByteArray fresh;
    {
        Session maker;
        WriteCaseFile(*maker.w, blank);
        fresh = Snapshot(*maker.w);
    }
    s.FillCase();
    s.answer = QMessageBox::No;
    s.answers = {blank, s.Path("new.cdp")};
    QVERIFY(s.docs->MFNewClick());
    QCOMPARE(Snapshot(*s.w), fresh);
    QCOMPARE(s.w->CurrentFile(), s.Path("new.cdp"));
}

void DocCommandsTest::saveNamesOnlyWhenNeeded() {
    Session s;
    s.answers = {s.Path("plain")}; // the default extension is added
    QVERIFY(s.docs->MFSaveClick());
    QCOMPARE(s.w->CurrentFile(), s.Path("plain.cdp"));
    QVERIFY(QFile::exists(s.Path("plain.cdp")));
    QFile::remove(s.Path("plain.cdp"));
    QVERIFY(s.docs->MFSaveClick()); // unchanged, named: written at once
    QCOMPARE(s.shown.size(), 1);
    QVERIFY(QFile::exists(s.Path("plain.cdp")));

    s.answers = {s.Path("other.cdp")};
    QVERIFY(s.docs->MFAsClick());
    QCOMPARE(s.w->CurrentFile(), s.Path("other.cdp"));
    QCOMPARE(s.docs->MRF()->Files(), (QStringList{s.Path("other.cdp"), s.Path("plain.cdp")}));

    // A failed Save As keeps the document's name and its modified flag.
    s.Set("WrD", "5");
    s.answers = {s.Path("no/dir/x.cdp")};
    QVERIFY(!s.docs->MFAsClick());
    QCOMPARE(s.w->CurrentFile(), s.Path("other.cdp"));
    QVERIFY(s.w->Modified());
}

void DocCommandsTest::templateLeavesTitleAndList() {
    Session s;
    s.answers = {s.Path("a.cdp")};
    QVERIFY(s.docs->MFSaveClick());
    s.Set("WrD", "9");
    const QString title = s.w->windowTitle();
    s.answers = {s.Path("water")};
    QVERIFY(s.docs->MFTempClick());
    QVERIFY(QFile::exists(s.Path("water.dpt")));
    QCOMPARE(s.w->windowTitle(), title);
    QCOMPARE(s.w->CurrentFile(), s.Path("a.cdp"));
    QVERIFY(s.w->Modified());
    QCOMPARE(s.docs->MRF()->Files(), QStringList{s.Path("a.cdp")});
}

void DocCommandsTest::openTemplateAndWrongBanner() {
    Session s;
    const QString temp = s.Path("t.dpt");
    s.Set("WrD", "4");
    WriteCaseFile(*s.w, temp);
    s.Set("WrD", "5");
    s.answer = QMessageBox::No;
    s.answers = {temp};
    QVERIFY(s.docs->MFOpenClick());
    QCOMPARE(s.Field("WrD")->text(), QStringLiteral("4"));
    QCOMPARE(s.w->CurrentFile(), temp);
    QVERIFY(s.docs->MRF()->Files().isEmpty());

    const QString bad = s.Path("bad.cdp");
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a case\r\n\r\n\r\nWrD\r\nString\r\nText\r\n8\r\n\r\n");
    f.close();
    s.answers = {bad};
    HeadlessLog().clear();
    QVERIFY(!s.docs->MFOpenClick());
    QCOMPARE(s.Field("WrD")->text(), QStringLiteral("4"));
    // Not a case file: refused whole, the template stays the current file.
    QCOMPARE(s.w->windowTitle(), "Tubalon-[" + temp + "]");
    QCOMPARE(s.w->CurrentFile(), temp);
    QVERIFY(s.docs->MRF()->Files().isEmpty());
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY(HeadlessLog().first().contains("不是项目文件"));
}

void DocCommandsTest::openErrorStopsTheCommand() {
    Session s;
    const QString bad = s.Path("bad.cdp");
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n\r\n"
            "WrD\r\nString\r\nText\r\n8\r\n\r\nWrD\r\nOrd\r\nColor\r\nred\r\n\r\n");
    f.close();
    const int before = MessagesShown();
    s.answers = {bad};
    QVERIFY(!s.docs->MFOpenClick());
    QCOMPARE(MessagesShown(), before + 1);
    QCOMPARE(s.Field("WrD")->text(), QString()); // the record before the error is not applied
    QCOMPARE(s.w->windowTitle(), QStringLiteral("Tubalon"));
    QVERIFY(s.docs->MRF()->Files().isEmpty());
}

void DocCommandsTest::recentFileOpens() {
    Session s;
    const QString a = s.Path("a.cdp");
    s.Set("WrD", "6");
    s.answers = {a};
    QVERIFY(s.docs->MFSaveClick());
    s.Set("WrD", "1");
    s.answer = QMessageBox::No;
    QAction* entry = nullptr;
    for (QAction* act : s.w->MFile->actions())
        if (act->text() == "&1  " + a) entry = act;
    QVERIFY(entry);
    entry->trigger();
    QCOMPARE(s.Field("WrD")->text(), QStringLiteral("6"));
    QVERIFY(!s.w->Modified());
    QCOMPARE(s.asked, 1);
    // The entry sits between the template item and the exit item.
    const QList<QAction*> acts = s.w->MFile->actions();
    QCOMPARE(acts.indexOf(s.w->MFExitSeparator) + 1, acts.indexOf(s.w->MFExit));
    QVERIFY(acts.indexOf(entry) < acts.indexOf(s.w->MFExitSeparator));
    QVERIFY(acts.indexOf(entry) > acts.indexOf(s.w->MFTemp) + 1);
}

void DocCommandsTest::dialogsAsDescribed() {
    Session s;
    const QString dir = s.w->AppDir() + "../";
    const FileDialogSetup* all[] = {&s.docs->OpenDialogData, &s.docs->SaveDialogData,
                                    &s.docs->OpenDialogTemp, &s.docs->SaveDialogTemp};
    const char* titles[] = {"打开项目文件", "保存项目文件", "请选择模板", "保存为模板"};
    const char* filters[] = {"数据文件(*.cdp);;模板文件(*.dpt)", "数据文件(*.cdp)",
                             "模板文件(*.dpt)", "模板文件(*.dpt)"};
    const char* exts[] = {"cdp", "cdp", "dpt", "dpt"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(all[i]->title, QString::fromUtf8(titles[i]));
        QCOMPARE(all[i]->filter, QString::fromUtf8(filters[i]));
        QCOMPARE(all[i]->defaultExt, QString::fromUtf8(exts[i]));
        QCOMPARE(all[i]->initialDir, dir);
        QCOMPARE(all[i]->save, i % 2 == 1);
    }
}

void DocCommandsTest::toolOptions() {
    Session s;
    s.FillCase();
    const QString path = s.Path("tool.cdp");
    QCOMPARE(SaveCaseForTool(*s.w, path), QString());
    QCOMPARE(ReadAll(path), Snapshot(*s.w));

    TFormTubalon w;
    QCOMPARE(OpenCaseForTool(w, path, true), QString());
    QCOMPARE(Snapshot(w), ReadAll(path));
    QCOMPARE(w.windowTitle(), "Tubalon-[" + path + "]");
    QVERIFY(OpenCaseForTool(w, s.Path("missing.cdp"), false).contains("不存在"));
    QVERIFY(SaveCaseForTool(w, s.Path("no/dir/x.cdp")).startsWith("Cannot create file"));
}

void DocCommandsTest::shippedCasesReadBackUnchanged_data() {
    QTest::addColumn<QString>("path");
    const QDir src(QStringLiteral(TUBALON_SOURCE_DIR));
    int n = 0;
    for (const char* folder : {"examples", "data"}) {
        const QDir d(src.filePath(folder));
        for (const QString& f : d.entryList({"*.cdp", "*.dpt"}, QDir::Files)) {
            QTest::newRow(qPrintable(f)) << d.filePath(f);
            ++n;
        }
    }
    if (n == 0) QTest::newRow("none") << QString();
}

void DocCommandsTest::shippedCasesReadBackUnchanged() {
    QFETCH(QString, path);
    if (path.isEmpty()) QSKIP("no shipped cases yet");
    const QByteArray bytes = ReadAll(path);
    Session s;
    s.answers = {path};
    QVERIFY(s.docs->MFOpenClick());
    QCOMPARE(Snapshot(*s.w), bytes);
    // An example case is a complete calculation: the summary results are filled in.
    if (path.endsWith(".cdp"))
        for (const char* name : {"QaD", "AdtD", "KaD", "AcD", "ArD", "LaD"})
            QVERIFY2(!s.Field(name)->text().isEmpty(), name);
    // Leaving a field recalculates to the same results. A case with automatic pipes cannot
    // be calculated without the pipe table, which this session lacks: its results go then.
    s.w->WrDExit();
    if (s.w->State().incomplete.isEmpty()) {
        QCOMPARE(Snapshot(*s.w), bytes);
    } else {
        QVERIFY2(s.w->CaseFields().CBAuto->isChecked(), qPrintable(s.w->State().incomplete));
        QVERIFY(s.Field("KaD")->text().isEmpty());
    }
}

// The damaged and foreign files a user may meet, each opened through the dialog and through
// the recent-files list: nothing changes on screen, in the list or on disk, and the message
// names the file. The next save goes to the case's own file.
void DocCommandsTest::refusedFileChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message"); // a part of the message shown
    QTest::addColumn<bool>("viaRecentList");
    const std::pair<const char*, const char*> kinds[] = {
        {"bad record in the middle", "ItemIndex 的值 99 超出范围 0～1"},
        {"text file", "不是项目文件"},
        {"empty file", "不是项目文件"},
        {"doubled CR", "行尾是 CR LF，与前面各行的 CR 不同"},
        {"record cut short", "记录不完整"},
        {"binary", "含有控制字符"},
        {"UTF-8, not taken", ""},
        {"FIFO", "不是普通文件"},
        {"folder", "不是普通文件"},
        {"too large", "太大"},
    };
    for (const auto& [kind, message] : kinds)
        for (const bool recent : {false, true})
            QTest::newRow(qPrintable(QString::fromUtf8(kind) + (recent ? ", recent" : ", dialog")))
                << QString::fromUtf8(kind) << QString::fromUtf8(message) << recent;
}

void DocCommandsTest::refusedFileChangesNothing() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QFETCH(bool, viaRecentList);
    Session s;
    const QString own = s.Path("own.cdp");
    const QByteArray good = s.SaveFilled("own.cdp");
    QVERIFY(!good.isEmpty());
    s.Set("WrD", "3"); // unsaved, and the user will answer No
    s.answer = QMessageBox::No;

    const QString bad = s.Path("bad.cdp");
    QByteArray bytes;
    if (kind == "bad record in the middle") {
        // After the 150th record, of 375.
        qsizetype at = 0;
        for (int i = 0; i < 3 + 150 * 5; ++i)
            at = good.indexOf("\r\n", at) + 2;
        bytes = good.left(at) + "FlowType\r\nOrd\r\nItemIndex\r\n99\r\n\r\n" + good.mid(at);
    } else if (kind == "text file") {
        bytes = "Shopping list\r\nmilk\r\n";
    } else if (kind == "doubled CR") {
        bytes = good;
        bytes.replace("\r\n", "\r\r\n");
    } else if (kind == "record cut short") {
        // The name and kind of the 151st record, then nothing.
        qsizetype at = 0;
        for (int i = 0; i < 3 + 150 * 5 + 2; ++i)
            at = good.indexOf("\r\n", at) + 2;
        bytes = good.left(at);
    } else if (kind == "binary") {
        bytes = good;
        bytes[good.size() / 2] = '\0';
    } else if (kind == "UTF-8, not taken") {
        QStringDecoder dec("GBK");
        bytes = QString(dec.decode(good)).toUtf8();
    } else if (kind == "too large") {
        bytes = good;
    }
    if (kind == "FIFO") {
        QVERIFY(mkfifo(QFile::encodeName(bad).constData(), 0600) == 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(bad));
    } else {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        if (kind == "too large") QVERIFY(f.resize(200LL * 1024 * 1024)); // sparse
        f.close();
        bytes = ReadAll(bad);
    }
    s.docs->MRF()->AddFile(bad);
    s.docs->MRF()->AddFile(own);
    const QStringList recent = s.docs->MRF()->Files();
    const QByteArray shown = Snapshot(*s.w);
    const QString title = s.w->windowTitle();

    HeadlessLog().clear();
    SetHeadlessAnswer([](const QString& text) {
        return text.contains("UTF-8") ? QMessageBox::No : QMessageBox::Ok;
    });
    if (viaRecentList) {
        QAction* entry = nullptr;
        for (QAction* a : s.w->MFile->actions())
            if (a->text() == "&2  " + bad) entry = a;
        QVERIFY(entry);
        entry->trigger();
    } else {
        s.answers = {bad};
        QVERIFY(!s.docs->MFOpenClick());
    }
    SetHeadlessAnswer(nullptr);
    QCOMPARE(s.asked, 1);
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY2(HeadlessLog().first().contains(message), qPrintable(HeadlessLog().first()));
    QVERIFY2(HeadlessLog().first().contains(QDir::toNativeSeparators(bad)),
             qPrintable(HeadlessLog().first()));
    if (kind == "bad record in the middle")
        QVERIFY(HeadlessLog().first().startsWith("项目文件已损坏：" + bad + " 第757行：流型"));
    QCOMPARE(Snapshot(*s.w), shown);
    QCOMPARE(s.w->windowTitle(), title);
    QCOMPARE(s.w->CurrentFile(), own);
    QVERIFY(s.w->Modified()); // still not saved
    QCOMPARE(s.docs->MRF()->Files(), recent);

    // Saving now writes the case's own file; the refused one is left as it was.
    QVERIFY(s.docs->MFSaveClick());
    QCOMPARE(ReadAll(own), Snapshot(*s.w));
    if (QFileInfo(bad).isFile()) QCOMPARE(ReadAll(bad), bytes);
}

// A case saved in UTF-8 by another editor is read after asking, and saved back in GBK.
void DocCommandsTest::utf8CaseReadAfterAsking() {
    Session s;
    s.FillCase();
    const QString gbk = s.Path("gbk.cdp");
    WriteCaseFile(*s.w, gbk);
    const QByteArray saved = ReadAll(gbk);
    const QString utf8 = s.Path("utf8.cdp");
    {
        QFile f(utf8);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QStringDecoder dec("GBK");
        f.write(QString(dec.decode(saved)).toUtf8());
    }
    Session t;
    HeadlessLog().clear();
    SetHeadlessAnswer([](const QString&) { return QMessageBox::Yes; });
    t.answers = {utf8};
    QVERIFY(t.docs->MFOpenClick());
    SetHeadlessAnswer(nullptr);
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY(HeadlessLog().first().contains("UTF-8"));
    QCOMPARE(Snapshot(*t.w), saved);
    QCOMPARE(t.w->findChild<TRichEdit*>("CmtsD")->Text(), QStringLiteral("热水"));
    QVERIFY(t.docs->MFSaveClick());
    QCOMPARE(ReadAll(utf8), saved);
}

// A template is checked whole before New clears the case.
void DocCommandsTest::damagedTemplateStopsNew() {
    Session s;
    QVERIFY(!s.SaveFilled("own.cdp").isEmpty());
    const QString temp = s.Path("t.dpt");
    QFile f(temp);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n\r\n"
            "WrD\r\nString\r\nText\r\n7\r\n\r\nShapeD\r\nOrd\r\nItemIndex\r\n9\r\n\r\n");
    f.close();
    const QByteArray shown = Snapshot(*s.w);
    const QString title = s.w->windowTitle();
    HeadlessLog().clear();
    s.answers = {temp, s.Path("new.cdp")};
    QVERIFY(!s.docs->MFNewClick());
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY(HeadlessLog().first().contains("第12行"));
    QCOMPARE(Snapshot(*s.w), shown);
    QCOMPARE(s.w->windowTitle(), title);
    QVERIFY(!s.w->Modified());
}

// What cannot be saved whole is not saved: the old file stays, byte for byte.
void DocCommandsTest::saveRefusals_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("note outside GBK")
        << "note" << QStringLiteral("注释（壳程物性及热量平衡）中的字符“😀”（U+1F600）");
    QTest::newRow("read-only file") << "read-only" << QStringLiteral("是只读文件，没有保存");
}

void DocCommandsTest::saveRefusals() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    Session s;
    const QString path = s.Path("case.cdp");
    const QByteArray saved = s.SaveFilled("case.cdp");
    QVERIFY(!saved.isEmpty());
    if (kind == "note") {
        s.Set("CmtsD", QStringLiteral("热水😀"));
    } else {
        s.Set("WrD", "3");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    }
    const QFileDevice::Permissions mode = QFile(path).permissions();
    HeadlessLog().clear();
    QVERIFY(!s.docs->MFSaveClick());
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY2(HeadlessLog().first().contains(message), qPrintable(HeadlessLog().first()));
    QCOMPARE(ReadAll(path), saved);
    QCOMPARE(QFile(path).permissions(), mode);
    QVERIFY(s.w->Modified());
}

// Values no exchanger can have that a file brings along are told once when it is opened,
// and hold the calculation until they are mended.
void DocCommandsTest::implausibleInputsOfAFile() {
    Session s;
    s.Set("CBAuto", "0"); // pipes of its own: this test runs without the pipe table
    for (const auto& [n, v] :
         {std::pair{"dooD", "0.057"}, {"doiD", "0.05"}, {"dioD", "0.032"}, {"diiD", "0.025"}})
        s.Set(n, v);
    s.FillCase();
    const QString path = s.Path("cold.cdp");
    WriteCaseFile(*s.w, path);
    QByteArray bytes = ReadAll(path);
    const QByteArray from = "TaD\r\nString\r\nText\r\n20\r\n";
    QVERIFY(bytes.contains(from));
    bytes.replace(from, "TaD\r\nString\r\nText\r\n-300\r\n");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    Session t;
    HeadlessLog().clear();
    t.answers = {path};
    QVERIFY(t.docs->MFOpenClick());
    QCOMPARE(t.Field("TaD")->text(), QStringLiteral("-300"));
    QCOMPARE(HeadlessLog().size(), 1);
    QVERIFY2(HeadlessLog().first().contains(QStringLiteral("环境温度：-300 C 等于或低于绝对零度")),
             qPrintable(HeadlessLog().first()));
    t.w->lastPasses = 0;
    t.Set("WrD", "2.5"); // leaving a field: no second message, no calculation
    QCOMPARE(HeadlessLog().size(), 1);
    QCOMPARE(t.w->lastPasses, 0);
    t.Set("TaD", "15");
    QVERIFY(t.w->lastPasses > 0);
    for (const QString& m : HeadlessLog().mid(1))
        QVERIFY2(!m.contains(QStringLiteral("环境温度")), qPrintable(m));
}

QTEST_MAIN(DocCommandsTest)
#include "DocCommandsTest.moc"
