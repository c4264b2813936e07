// The document commands on a window that is nothing but TCaseWindow: what they ask of the
// window and in which order, without the program's main window.
#include "casefile/CaseWindow.h"
#include "casefile/DocCommands.h"
#include "casefile/MruUnit.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tubalon;

namespace {

// Two fields and a file menu; every call of the commands is logged.
class TFakeWindow : public TCaseWindow {
public:
    // folder: the program folder, where the recent-files list would be kept.
    explicit TFakeWindow(const QString& folder) : appDir(folder + "/") {
        a = new TEditD(&widget);
        a->setObjectName("WrD");
        b = new TEditD(&widget);
        b->setObjectName("Tr1D");
        components = {a, b};
        menu = new QMenu(&widget);
        menu->addAction("新建");
        exitSeparator = menu->addSeparator();
        menu->addAction("退出");
        // A field changed while the records are applied sees whether the calculation is paused.
        QObject::connect(a, &QLineEdit::textChanged, &widget,
                         [this] { log << (paused ? "apply paused" : "apply running"); });
    }

    QWidget& Window() override { return widget; }
    const QList<QWidget*>& Components() const override { return components; }
    QList<TEditD*> NumericFields() const override { return {a, b}; }
    QString AppDir() const override { return appDir; }
    bool Modified() const override { return modified; }
    void SetModified(bool m) override { modified = m; }
    QString CurrentFile() const override { return file; }
    void SetCurrentFile(const QString& f) override { file = f; }
    QMenu* FileMenu() const override { return menu; }
    QAction* FileMenuExitSeparator() const override { return exitSeparator; }
    void SetCalculationPaused(bool p) override { paused = p; }
    void ApplyCaseRules() override { log << (paused ? "rules paused" : "rules"); }
    void ReviewInputs(const QString& intro) override { log << "review " + intro; }
    void Recalculate() override { log << "calculate"; }
    void SetCaseFileHooks(const CaseFileHooks& h) override { hooks = h; }

    TEditD *a, *b;
    QList<QWidget*> components;
    QMenu* menu;
    QAction* exitSeparator;
    QString appDir;
    QString file;
    bool modified = false;
    bool paused = false;
    CaseFileHooks hooks;
    QStringList log;
    // Last, so that its children (the commands among them) go while the rest still lives.
    QWidget widget;
};

bool AllHooked(const CaseFileHooks& h) {
    return h.newCase && h.openCase && h.saveCase && h.saveCaseAs && h.saveTemplate && h.closeQuery;
}

} // namespace

class CaseWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // The window's commands, with the recent-files list kept in the scratch folder.
    static TDocCommands* Commands(TFakeWindow& w, const QString& ini) {
        auto* docs = new TDocCommands(w);
        docs->MRF()->SetStoreOnDestroy(false);
        docs->MRF()->SetIniFile(ini);
        docs->askSave = [](QWidget*) { return QMessageBox::No; };
        return docs;
    }

private slots:
    void initTestCase() {
        SetHeadlessMessages(true);
        QVERIFY(dir.isValid());
    }

    void hooksCallTheCommandsWhileTheyLive() {
        TFakeWindow w(dir.path());
        w.modified = true;
        int asked = 0;
        auto* docs = Commands(w, dir.filePath("hooks.ini"));
        docs->askSave = [&asked](QWidget*) {
            ++asked;
            return QMessageBox::Cancel;
        };
        QVERIFY(AllHooked(w.hooks));
        QCOMPARE(docs->parent(), &w.widget);
        QCOMPARE(DocCommandsOf(w.widget), docs);
        // Unsaved changes and Cancel keep the window open.
        QVERIFY(!w.hooks.closeQuery());
        QCOMPARE(asked, 1);
        delete docs;
        QCOMPARE(DocCommandsOf(w.widget), nullptr);
        // Without the commands the window closes without asking, and the menu does nothing.
        QVERIFY(w.hooks.closeQuery());
        w.hooks.newCase();
        w.hooks.saveCase();
        QCOMPARE(asked, 1);
        QVERIFY(w.log.isEmpty());
    }

    // The window may go with its commands still attached (they are its child).
    void windowDeletedWithItsCommands() {
        auto w = std::make_unique<TFakeWindow>(dir.path());
        QPointer<TDocCommands> docs = Commands(*w, dir.filePath("gone.ini"));
        w.reset();
        QVERIFY(docs.isNull());
    }

    void openAppliesPausedThenRulesThenReview() {
        const QString path = dir.filePath("case.cdp");
        {
            TFakeWindow maker(dir.path());
            maker.a->setText("2.5");
            maker.b->setText("80");
            WriteCaseFile(maker, path);
        }
        TFakeWindow w(dir.path());
        w.a->setText("1");
        w.modified = true;
        auto* docs = Commands(w, dir.filePath("open.ini"));
        w.log.clear();
        QVERIFY(docs->OpenFile(path));
        QCOMPARE(w.a->text(), QString("2.5"));
        QCOMPARE(w.b->text(), QString("80"));
        QCOMPARE(w.log.size(), 3);
        QCOMPARE(w.log[0], QString("apply paused"));
        QCOMPARE(w.log[1], QString("rules"));
        QVERIFY(w.log[2].startsWith("review ") && w.log[2].contains("case.cdp"));
        QVERIFY(!w.paused);
        QCOMPARE(w.file, path);
        QVERIFY(!w.modified);
        QCOMPARE(w.widget.windowTitle(), "Tubalon-[" + path + "]");
        QCOMPARE(docs->MRF()->Files(), QStringList{path});
    }

    void toolOpensAndCalculatesOnlyWhenAsked() {
        const QString path = dir.filePath("tool.cdp");
        TFakeWindow w(dir.path());
        w.a->setText("3");
        QCOMPARE(SaveCaseForTool(w, path), QString());
        QCOMPARE(w.file, path);
        for (const bool recalculate : {false, true}) {
            w.a->setText("9");
            w.log.clear();
            QCOMPARE(OpenCaseForTool(w, path, recalculate), QString());
            QCOMPARE(w.a->text(), QString("3"));
            QCOMPARE(w.log.last() == "calculate", recalculate);
            QCOMPARE(w.log.count("calculate"), recalculate ? 1 : 0);
        }
    }

    void refusedFileChangesNothing() {
        const QString path = dir.filePath("garbage.cdp");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a case\n");
        f.close();
        TFakeWindow w(dir.path());
        w.a->setText("7");
        w.log.clear();
        QVERIFY(OpenCaseForTool(w, path, true).contains("不是项目文件"));
        QCOMPARE(w.a->text(), QString("7"));
        QVERIFY(w.log.isEmpty());
        QVERIFY(w.file.isEmpty());
    }
};

QTEST_MAIN(CaseWindowTest)
#include "CaseWindowTest.moc"
