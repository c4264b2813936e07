#include "docs/DocCommands.h"

#include "app/UnitMain.h"
#include "docs/MruUnit.h"
#include "docs/SaveFormData.h"
#include "refdata/SettingsDir.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/Messages.h"
#include "units/Tools2.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

namespace tubalon {
namespace {

QString Caption(const QString& file) {
    return QStringLiteral("Tubalon-[") + file + QChar(']');
}

void ApplyRules(TFormTubalon& w) {
    if (auto* p = w.findChild<QWidget*>(QStringLiteral("PhrD"))) w.PhrDChange(p);
    if (auto* p = w.findChild<QWidget*>(QStringLiteral("PhtD"))) w.PhrDChange(p);
    w.ShapeDClick();
    w.Progress();
}

} // namespace

QString StandardFileDialog(QWidget* parent, const FileDialogSetup& d) {
    QString name = d.fileName;
    for (;;) {
        QFileDialog dlg(parent, d.title, d.initialDir, d.filter);
        dlg.setAcceptMode(d.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(d.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dlg.setDefaultSuffix(d.defaultExt);
        if (!name.isEmpty()) dlg.selectFile(name);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
        const QString path = dlg.selectedFiles().first();
        const QFileInfo info(path);
        name = path;
        QString refusal;
        if (!d.save && !info.exists())
            refusal = QStringLiteral("文件“%1”不存在。");
        else if (d.save && !info.absoluteDir().exists())
            refusal = QStringLiteral("文件夹“%1”不存在。").arg(info.absolutePath());
        else if (info.exists() && !info.isWritable())
            refusal = QStringLiteral("文件“%1”是只读文件，请另选一个文件。");
        if (refusal.isEmpty()) return path;
        ShowMessage(parent, MsgKind::Warning, d.title,
                    refusal.contains(QLatin1String("%1"))
                        ? refusal.arg(QDir::toNativeSeparators(path))
                        : refusal);
    }
}

QMessageBox::StandardButton StandardAskSave(QWidget* parent) {
    return ShowMessage(parent, MsgKind::Warning, QStringLiteral("警告："),
                       QStringLiteral("数据没有保存，保存吗？"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

QStringList CaseExcludedNames() {
    return {QStringLiteral("REReport")};
}

void WriteCaseFile(TFormTubalon& w, const QString& file) {
    SaveFormRecords(w.Components(), file, false, CaseExcludedNames());
}

bool ReadCaseFile(TFormTubalon& w, const QString& file) {
    const bool read = LoadFormRecords(w.Components(), file);
    ApplyRules(w);
    return read;
}

TDocCommands::TDocCommands(TFormTubalon& window) : QObject(&window), w_(window) {
    setObjectName(QStringLiteral("DocCommands"));
    const QString dir = w_.AppDir() + QStringLiteral("../");
    const QString data = QStringLiteral("数据文件(*.cdp)");
    const QString temp = QStringLiteral("模板文件(*.dpt)");
    OpenDialogData = {false,
                      QStringLiteral("打开项目文件"),
                      data + QStringLiteral(";;") + temp,
                      QStringLiteral("cdp"),
                      dir,
                      QString()};
    const QString saveDir = SaveFolder(w_.AppDir());
    SaveDialogData = {
        true, QStringLiteral("保存项目文件"), data, QStringLiteral("cdp"), saveDir, QString()};
    OpenDialogTemp = {false,    QStringLiteral("请选择模板"), temp, QStringLiteral("dpt"), dir,
                      QString()};
    SaveDialogTemp = {true,     QStringLiteral("保存为模板"), temp, QStringLiteral("dpt"), saveDir,
                      QString()};

    mrf_ = new TMostRecentFiles(this);
    mrf_->setObjectName(QStringLiteral("MRF"));
    mrf_->SetMaxFiles(9);
    mrf_->SetShowFullPath(true);
    mrf_->SetFileExt(QStringLiteral("cdp"));
    // The list is stored as "<program>.ini" in the settings folder (beside the program when
    // that can be written).
    mrf_->SetIniFile(SettingsDir(w_.AppDir()) +
                     QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                     QStringLiteral(".ini"));
    // Headless runs (tubalon-calc) leave the user's list alone.
    mrf_->SetStoreOnDestroy(!HeadlessMessages());
    if (w_.MFile) {
        const qsizetype sep = w_.MFile->actions().indexOf(w_.MFExitSeparator);
        mrf_->SetMenuPosition(static_cast<unsigned>(sep >= 0 ? sep : 6));
    }
    mrf_->SetOwnerMenuItem(w_.MFile);
    mrf_->OnMenuClick = [this](QObject*, const QString& path) { MRFMenuClick(path); };
    mrf_->LoadList();

    w_.hooks.newCase = [this] { MFNewClick(); };
    w_.hooks.openCase = [this] { MFOpenClick(); };
    w_.hooks.saveCase = [this] { MFSaveClick(); };
    w_.hooks.saveCaseAs = [this] { MFAsClick(); };
    w_.hooks.saveTemplate = [this] { MFTempClick(); };
    w_.hooks.closeQuery = [this] { return FormCloseQuery(); };
}

TDocCommands::~TDocCommands() {
    w_.hooks.newCase = w_.hooks.openCase = w_.hooks.saveCase = w_.hooks.saveCaseAs =
        w_.hooks.saveTemplate = nullptr;
    w_.hooks.closeQuery = nullptr;
}

TDocCommands* DocCommandsOf(const TFormTubalon& w) {
    return w.findChild<TDocCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

QString TDocCommands::Ask(FileDialogSetup& dialog) {
    QString path = fileDialog ? fileDialog(&w_, dialog) : QString();
    if (path.isEmpty()) return path;
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QChar('.')))
        path += QChar('.') + dialog.defaultExt;
    dialog.fileName = path;
    return path;
}

bool TDocCommands::Guard(const std::function<void()>& body) {
    return GuardHandler(&w_, body);
}

void TDocCommands::AfterNOSA(bool add) {
    if (add) mrf_->AddFile(w_.CurrentFile());
    w_.setWindowTitle(Caption(w_.CurrentFile()));
    w_.SetModified(false);
}

bool TDocCommands::BeforeNOSA() {
    if (!w_.Modified()) return true;
    const QMessageBox::StandardButton answer = askSave ? askSave(&w_) : QMessageBox::Cancel;
    if (answer == QMessageBox::No) {
        w_.SetModified(false);
        return true;
    }
    if (answer != QMessageBox::Yes) return false;
    QString file = w_.CurrentFile();
    if (file.isEmpty()) {
        file = Ask(SaveDialogData); // with the name it showed last
        if (file.isEmpty()) return false;
    }
    if (!Guard([&] { WriteCaseFile(w_, file); })) return false;
    w_.SetCurrentFile(file);
    AfterNOSA(true);
    return true;
}

bool TDocCommands::MFNewClick() {
    if (!BeforeNOSA()) return false;
    OpenDialogTemp.fileName.clear();
    SaveDialogData.fileName.clear();
    // Cancelling the template picker cancels "新建"; the blank template starts from nothing.
    const QString temp = Ask(OpenDialogTemp);
    if (temp.isEmpty()) return false;
    const QString file = Ask(SaveDialogData);
    if (file.isEmpty()) return false;
    return Guard([&] {
        for (TEditD* f : w_.NumericFields())
            ClearComputed(f);
        LoadFormRecords(w_.Components(), temp);
        w_.SetCurrentFile(file);
        AfterNOSA(false);
    });
}

void TDocCommands::OpenPath(const QString& path) {
    w_.SetCurrentFile(path);
    ReadCaseFile(w_, path);
    AfterNOSA(true);
}

bool TDocCommands::MFOpenClick() {
    if (!BeforeNOSA()) return false;
    OpenDialogData.fileName.clear();
    const QString path = Ask(OpenDialogData);
    if (path.isEmpty()) return false;
    return Guard([&] { OpenPath(path); });
}

bool TDocCommands::MRFMenuClick(const QString& path) {
    if (!BeforeNOSA()) return false;
    return Guard([&] { OpenPath(path); });
}

bool TDocCommands::MFSaveClick() {
    QString file = w_.CurrentFile();
    if (file.isEmpty()) {
        SaveDialogData.fileName.clear();
        file = Ask(SaveDialogData);
        if (file.isEmpty()) return false;
    }
    return Guard([&] {
        WriteCaseFile(w_, file);
        w_.SetCurrentFile(file);
        AfterNOSA(true);
    });
}

bool TDocCommands::MFAsClick() {
    SaveDialogData.fileName.clear();
    const QString file = Ask(SaveDialogData);
    if (file.isEmpty()) return false;
    return Guard([&] {
        WriteCaseFile(w_, file);
        w_.SetCurrentFile(file);
        AfterNOSA(true);
    });
}

bool TDocCommands::MFTempClick() {
    SaveDialogTemp.fileName.clear();
    const QString file = Ask(SaveDialogTemp);
    if (file.isEmpty()) return false;
    return Guard([&] { WriteCaseFile(w_, file); });
}

bool TDocCommands::MFExitClick() {
    if (!BeforeNOSA()) return false;
    w_.close();
    return true;
}

bool TDocCommands::FormCloseQuery() {
    return BeforeNOSA();
}

QString OpenCaseForTool(TFormTubalon& w, const QString& file, bool recalculate) {
    if (!QFileInfo(file).isFile()) return QStringLiteral("文件“%1”不存在。").arg(file);
    try {
        w.SetCurrentFile(file);
        if (!ReadCaseFile(w, file)) return QStringLiteral("文件“%1”不是项目文件。").arg(file);
        w.setWindowTitle(Caption(file));
        w.SetModified(false);
        if (recalculate) w.WrDExit();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

QString SaveCaseForTool(TFormTubalon& w, const QString& file) {
    try {
        WriteCaseFile(w, file);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    w.SetCurrentFile(file);
    w.setWindowTitle(Caption(file));
    w.SetModified(false);
    return QString();
}

} // namespace tubalon
