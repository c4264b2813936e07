// The whole program as started: dialogs in start order, every module hooked into the window,
// and the window's commands reaching them. Runs from a tree laid out like the staged one
// (PropLib.cds beside the program, Data/ and Doc/ beside its folder).
#include "app/CalcTool.h"
#include "app/Startup.h"
#include "app/UnitMain.h"
#include "casefile/DocCommands.h"
#include "formula/MyValues.h"
#include "props/SimpProps.h"
#include "refdata/PipePage.h"
#include "refdata/UnitParams.h"
#include "refdata/UnitPickList.h"
#include "report/HelpWindow.h"
#include "report/ReportHooks.h"
#include "report/StructDiagram.h"
#include "tests/support/WindowSession.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace tubalon;

namespace {

// What a modal dialog saw while it was open; shared with the timer that works it.
struct ModalVisit {
    QWidget* dialog = nullptr;
    QString opener;
    bool maintenanceVisible = true;
};

int InkPixels(const QImage& image) {
    int n = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 128) ++n;
    return n;
}

} // namespace

class ProgramTest : public QObject, WindowSession {
    Q_OBJECT

    void Set(const char* name, const QString& value) {
        QCOMPARE(SetControl(*w, name, value), QString());
    }
    void BasicBalance() {
        for (const auto& [k, v] : {std::pair{"CBAuto", "0"},
                                   {"WrD", "1"},
                                   {"CprD", "4180"},
                                   {"Tr1D", "80"},
                                   {"Tr2D", "60"},
                                   {"CptD", "4180"},
                                   {"Tt1D", "20"},
                                   {"Tt2D", "40"}})
            Set(k, v);
    }

    // The basic balance saved as file, then WrD changed to 2 unsaved; asked to save, No.
    void SavedThenChanged(const QString& file) {
        BasicBalance();
        QCOMPARE(SaveCaseForTool(*w, file), QString());
        Set("WrD", "2");
        QCOMPARE(w->Field("WrD")->text(), QString("2"));
        program->docs->askSave = [](QWidget*) { return QMessageBox::No; };
    }

private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void startCreatesDialogsInOrder() {
        // A complete tree starts without a single message.
        QCOMPARE(HeadlessLog(), QStringList());
        QVERIFY(program->params && program->props && program->pickList);
        const QObjectList& children = w->children();
        const qsizetype params = children.indexOf(program->params.get());
        const qsizetype props = children.indexOf(program->props.get());
        const qsizetype pick = children.indexOf(program->pickList.get());
        QVERIFY(params >= 0);
        QVERIFY(params < props);
        QVERIFY(props < pick);
        for (QWidget* d : {static_cast<QWidget*>(program->params.get()),
                           static_cast<QWidget*>(program->props.get()),
                           static_cast<QWidget*>(program->pickList.get())})
            QVERIFY(!d->isVisible());
        QVERIFY(program->props->PropLib.IsOpen());
        QCOMPARE(program->props->LibraryPath(), w->AppDir() + "PropLib.cds");
        QVERIFY(program->props->PropLib.Count() >= 25);
        QCOMPARE(DocCommandsOf(*w), program->docs);
        QVERIFY(w->TSStruct->findChild<report::TStructureView*>("StructDiagram"));
    }

    void everyHookIsSet() {
        const WindowHooks& h = w->hooks;
        const std::pair<const char*, bool> hooks[] = {
            {"newCase", bool(h.newCase)},
            {"openCase", bool(h.openCase)},
            {"saveCase", bool(h.saveCase)},
            {"saveCaseAs", bool(h.saveCaseAs)},
            {"saveTemplate", bool(h.saveTemplate)},
            {"closeQuery", bool(h.closeQuery)},
            {"showParams", bool(h.showParams)},
            {"showProps", bool(h.showProps)},
            {"makeReport", bool(h.makeReport)},
            {"saveReport", bool(h.saveReport)},
            {"printReport", bool(h.printReport)},
            {"printStructure", bool(h.printStructure)},
            {"drawStructure", bool(h.drawStructure)},
            {"help", bool(h.help)},
        };
        QStringList unset;
        for (const auto& [name, isSet] : hooks)
            if (!isSet) unset << name;
        QCOMPARE(unset, QStringList());
    }

    // Each property button opens the one property dialog for its side; "&O 确定" copies the
    // computed values into that side only.
    void propertyButtonOpensDialog_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("condensing"); // phase list set to 1 first, or empty
        QTest::addColumn<QString>("dialogField");
        QTest::addColumn<QString>("mainField");
        QTest::addColumn<QString>("otherSide");
        QTest::newRow("SBP1") << "SBP1"
                              << ""
                              << "CPD"
                              << "CprD"
                              << "CptD";
        QTest::newRow("SBP1v") << "SBP1v"
                               << "PhrD"
                               << "MDD"
                               << "DrvD"
                               << "DenrD";
        QTest::newRow("SBP2") << "SBP2"
                              << ""
                              << "VID"
                              << "MtD"
                              << "MrD";
        QTest::newRow("SBP2v") << "SBP2v"
                               << "PhtD"
                               << "MDD"
                               << "dtvD"
                               << "DentD";
    }
    void propertyButtonOpensDialog() {
        QFETCH(QString, opener);
        QFETCH(QString, condensing);
        QFETCH(QString, dialogField);
        QFETCH(QString, mainField);
        QFETCH(QString, otherSide);
        if (!condensing.isEmpty()) Set(condensing.toLatin1().constData(), "1");
        w->SetModified(false);
        auto* button = w->findChild<QToolButton*>(opener);
        QVERIFY(button && button->isEnabled());

        TFormSimpPL* dlg = program->props.get();
        const int water = dlg->PropLib.FindNo("001");
        QVERIFY(water >= 0);
        auto visit = std::make_shared<ModalVisit>();
        QTimer::singleShot(0, dlg, [visit, dlg, water] {
            auto* modal = QApplication::activeModalWidget();
            visit->dialog = modal;
            if (modal != dlg) return;
            visit->opener = dlg->Opener();
            visit->maintenanceVisible = dlg->PageControlP->isTabVisible(1);
            dlg->DBGrid1->setCurrentCell(water, 0);
            dlg->BBCal->click();
            dlg->BBOK->click();
        });
        button->click();

        QCOMPARE(visit->dialog, static_cast<QWidget*>(dlg));
        QCOMPARE(visit->opener, opener);
        QVERIFY(!visit->maintenanceVisible);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        const TEditD* from = dlg->findChild<TEditD*>(dialogField);
        QVERIFY(from && !from->text().isEmpty());
        const double expected = from->GetSIValue();
        QVERIFY(expected > 0);
        const TEditD* to = w->Field(mainField);
        QVERIFY(!to->text().isEmpty());
        QVERIFY(qAbs(to->GetSIValue() - expected) <= 1e-4 * expected);
        QCOMPARE(w->Field(otherSide)->text(), QString());
        QVERIFY(w->Modified());
        QCOMPARE(HeadlessLog(), QStringList());
    }

    // The dialog opened from a side starts at the side's mean temperature; "&O 确定" then
    // calculates as leaving a field does.
    void propertyDialogStartsAtTheSideAndCalculates() {
        BasicBalance();
        w->lastPasses = -1; // no calculation since
        TFormSimpPL* dlg = program->props.get();
        auto t = std::make_shared<QString>();
        QTimer::singleShot(0, dlg, [dlg, t] {
            if (QApplication::activeModalWidget() != dlg) return;
            *t = dlg->MyValues1->GetValue("t");
            dlg->DBGrid1->setCurrentCell(dlg->PropLib.FindNo("001"), 0);
            dlg->BBCal->click();
            dlg->BBOK->click();
        });
        w->findChild<QToolButton*>("SBP1")->click();
        QCOMPARE(*t, QString("70"));
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(qAbs(w->Field("DenrD")->GetSIValue() - 977.76) < 0.05); // water at 70 C
        QVERIFY(w->lastPasses > 0);
        QCOMPARE(HeadlessLog(), QStringList());
    }

    void propertyDialogCancelCopiesNothing() {
        TFormSimpPL* dlg = program->props.get();
        QTimer::singleShot(0, dlg, [dlg] {
            if (QApplication::activeModalWidget() != dlg) return;
            dlg->BBCal->click();
            dlg->BBCancle->click();
        });
        w->findChild<QToolButton*>("SBP1")->click();
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QVERIFY(!dlg->CPD->text().isEmpty());
        for (const char* n : {"CprD", "DenrD", "MrD", "LdrD"})
            QCOMPARE(w->Field(n)->text(), QString());
    }

    // Closing the window asks to save an unsaved case; Cancel, a cancelled save dialog or a
    // failed save keep it open.
    void closeGoesThroughSaveQuery_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // name the save dialog returns ("" = cancelled)
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unmodified")
            << false << int(QMessageBox::Cancel) << "" << false << true << false;
        QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << "" << true << false << false;
        QTest::newRow("no") << true << int(QMessageBox::No) << "" << true << true << false;
        QTest::newRow("yes, dialog cancelled")
            << true << int(QMessageBox::Yes) << "" << true << false << false;
        QTest::newRow("yes, saved")
            << true << int(QMessageBox::Yes) << "case.cdp" << true << true << true;
        QTest::newRow("yes, save fails")
            << true << int(QMessageBox::Yes) << "missing/case.cdp" << true << false << false;
    }
    void closeGoesThroughSaveQuery() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = saveAs.isEmpty() ? QString() : dir.filePath(saveAs);
        BasicBalance();
        w->SetModified(modified);
        int asks = 0;
        program->docs->askSave = [&](QWidget*) {
            ++asks;
            return static_cast<QMessageBox::StandardButton>(answer);
        };
        program->docs->fileDialog = [&](QWidget*, const FileDialogSetup&) { return path; };
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->close(), closed);
        QCOMPARE(asks > 0, asked);
        QCOMPARE(w->isVisible(), !closed);
        QCOMPARE(!path.isEmpty() && QFileInfo::exists(path), saved);
        if (!closed) QVERIFY(w->Modified());
    }

    // The file menu reaches the document commands: a saved case comes back by "&O 打开".
    void openFromMenuLoadsCase() {
        QTemporaryDir dir;
        const QString file = dir.filePath("basic.cdp");
        SavedThenChanged(file);
        program->docs->fileDialog = [&](QWidget*, const FileDialogSetup& d) {
            return d.save ? QString() : file;
        };
        w->MFOpen->trigger();
        QCOMPARE(w->Field("WrD")->text(), QString("1"));
        QCOMPARE(w->CurrentFile(), file);
        QVERIFY(!w->Modified());
        QCOMPARE(HeadlessLog(), QStringList());
    }

    // The report page shows the report of the case; the diagram page draws the exchanger,
    // the same picture that tubalon-calc --diagram writes.
    void reportAndDiagramPages() {
        BasicBalance();
        Set("CalTypeD", "1"); // rating: the passes are an input
        Set("mD", "2");
        Set("dooD", "0.057");
        HeadlessLog().clear();
        w->PCAll->setCurrentWidget(w->TSReport);
        const QString text = w->REReport->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Tubalon 计算报告")), qPrintable(text.left(200)));
        QVERIFY(text.contains(QStringLiteral("入口温度")));
        QVERIFY(text.contains("83600"));
        QCOMPARE(text.trimmed(), report::ReportText(*w).trimmed());

        w->PCAll->setCurrentWidget(w->TSStruct);
        auto* view = w->TSStruct->findChild<report::TStructureView*>("StructDiagram");
        QVERIFY(view);
        QCOMPARE(view->Image().size(), QSize(409, 409));
        QVERIFY(InkPixels(view->Image()) > 1000);
        QTemporaryDir dir;
        const QString bmp = dir.filePath("d.bmp");
        report::WriteDiagram(*w, bmp);
        const QImage written(bmp);
        QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
                 view->Image().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(HeadlessLog(), QStringList());
    }

    // "选择" on the pipe page checks the new diameters and recalculates the case at once, as
    // leaving the diameter fields does.
    void pipeChoiceRecalculates() {
        for (const char* a :
             {"CBAuto=0", "dioD=0.032",  "diiD=0.026",   "WrD=1",      "CprD=4180", "Tr1D=80",
              "Tr2D=60",  "DenrD=977.8", "MrD=0.000404", "LdrD=0.668", "CptD=4180", "Tt1D=20",
              "Tt2D=40",  "DentD=995.7", "MtD=0.000801", "LdtD=0.618", "SlD=6",     "BpD=0.05",
              "TaD=20",   "RsD=0.0002",  "RtD=0.0002",   "ErD=0.0001", "EtD=0.0001"})
            QCOMPARE(SetControl(*w, QString(a).section('=', 0, 0), QString(a).section('=', 1)),
                     QString());
        QVERIFY(w->Field("LaD")->text().isEmpty()); // no outer pipe yet
        auto choose = [this](QToolButton* target, const QString& size) {
            target->click();
            QCOMPARE(w->PCAll->currentWidget(), w->TSPipes);
            QSqlTableModel* model = w->pipePage->model();
            while (model->canFetchMore())
                model->fetchMore();
            int row = -1;
            for (int r = 0; r < model->rowCount() && row < 0; ++r)
                if (model->record(r).value("DN").toString() == size) row = r;
            QVERIFY2(row >= 0, qPrintable(size));
            w->pipePage->grid()->setCurrentIndex(model->index(row, 0));
            w->pipePage->findChild<QPushButton*>("Button2")->click();
            QCOMPARE(w->PCAll->currentWidget(), w->TSCalc);
        };
        HeadlessLog().clear();
        choose(w->SBDo, QStringLiteral("57×3.5"));
        QCOMPARE(w->Field("dooD")->text(), QString("0.057"));
        QCOMPARE(w->Field("doiD")->text(), QString("0.05"));
        QVERIFY(!w->Field("LaD")->text().isEmpty());
        QCOMPARE(HeadlessLog(), QStringList());
        // An inner pipe too big for the outer one is refused as on leaving the field.
        const QString length = w->Field("LaD")->text();
        w->lastPasses = 0;
        choose(w->SBDi, QStringLiteral("89×4"));
        QCOMPARE(HeadlessLog(), QStringList{"外管内径必须大于内管外径！"});
        QCOMPARE(w->lastPasses, 0);
        QCOMPARE(w->Field("LaD")->text(), length);
    }

    // A case named on the command line or handed over by a second start opens as Open does,
    // after the dialog in progress; a file that cannot be opened changes nothing.
    void requestedFileOpens() {
        QTemporaryDir dir;
        const QString file = dir.filePath("basic.cdp");
        SavedThenChanged(file);
        const QString missing = dir.filePath("missing.cdp");
        HeadlessLog().clear();
        program->OpenRequested(missing);
        QCOMPARE(HeadlessLog().size(), 1);
        QVERIFY(HeadlessLog().first().contains("不存在"));
        QCOMPARE(w->Field("WrD")->text(), QString("2"));
        QCOMPARE(w->CurrentFile(), file);
        QVERIFY(w->Modified());

        // While a dialog is open the file waits for it.
        QDialog dialog(w);
        QTimer::singleShot(0, &dialog, [&] {
            program->OpenRequested(file);
            QTimer::singleShot(500, &dialog, [&] {
                QCOMPARE(w->Field("WrD")->text(), QString("2"));
                dialog.accept();
            });
        });
        dialog.exec();
        QTRY_COMPARE(w->Field("WrD")->text(), QString("1"));
        QCOMPARE(w->CurrentFile(), file);
        QCOMPARE(w->windowTitle(), "Tubalon-[" + file + "]");
        QVERIFY(w->isVisible());
    }

    // Settings that could not be used are told once at start, naming the file and the key;
    // the defaults are used.
    void startupNotesNameFileAndKey() {
        const QString params = w->AppDir() + "Params.ini";
        QFile f(params);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Fittings]\r\n套管进口=abc\r\n").toUtf8());
        f.close();
        Stop();
        Start();
        QFile::remove(params);
        const QStringList notes = program->StartupNotes();
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes[0].contains(QDir::toNativeSeparators(params)));
        QVERIFY(notes[0].contains(
            QStringLiteral("“套管进口”的值“abc”不是有效的数字，已使用缺省值 1.5")));
        QCOMPARE(program->params->params().Value(QStringLiteral("套管进口")), QString("1.5"));
        HeadlessLog().clear();
        program->ShowStartupNotes();
        QCOMPARE(HeadlessLog().size(), 1);
        QVERIFY(HeadlessLog().first().contains(QStringLiteral("套管进口")));
    }

    // Help from the menu opens the manual at its first chapter; F1 in a field at the field's
    // heading.
    void helpFromMenuAndF1() {
        w->MHPDF->trigger();
        auto* help = w->findChild<report::THelpWindow*>("HelpWindow");
        QVERIFY(help && help->isVisible());
        QVERIFY(help->CurrentBookmark() >= 0);
        QVERIFY(help->Bookmarks()[help->CurrentBookmark()].title.trimmed().startsWith(
            QStringLiteral("第一章 系统安装")));

        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        TEditD* field = w->Field("WrD");
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(help->Bookmarks()[help->CurrentBookmark()].title.trimmed(),
                 field->Caption().trimmed());
        QCOMPARE(HeadlessLog(), QStringList());
    }
};

QTEST_MAIN(ProgramTest)
#include "ProgramTest.moc"
