#include "casefile/DocCommands.h"

#include "casefile/MruUnit.h"
#include "casefile/SaveFormData.h"
#include "refdata/SettingsDir.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/Messages.h"
#include "units/TextFiles.h"
#include "units/Tools2.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>

namespace tubalon {
namespace {

QString Caption(const QString& file) {
    return QStringLiteral("Tubalon-[") + file + QChar(']');
}

// Applies records with the calculation paused: a list's reaction (the lay type's click) would
// otherwise calculate a case only partly read.
void ApplyPaused(TCaseWindow& w, const TStagedRecords& staged) {
    struct Pause {
        TCaseWindow& w;
        explicit Pause(TCaseWindow& win) : w(win) { w.SetCalculationPaused(true); }
        ~Pause() { w.SetCalculationPaused(false); }
    } pause(w);
    ApplyFormRecords(staged);
}

// Tells the implausible inputs a case brought along, once.
void ReviewInputs(TCaseWindow& w, const QString& file) {
    w.ReviewInputs(
        QStringLiteral("项目文件“%1”中有不合理的输入：").arg(QDir::toNativeSeparators(file)));
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
        else if (IsReadOnlyFile(path))
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

void WriteCaseFile(TCaseWindow& w, const QString& file) {
    SaveFormRecords(w.Components(), file, false, CaseExcludedNames());
}

CaseFileCheck CheckCaseFile(TCaseWindow& w, const QString& file) {
    CaseFileCheck check;
    try {
        std::optional<TStagedRecords> staged = StageFormRecordFile(w.Components(), file);
        if (staged)
            check.staged = std::make_shared<const TStagedRecords>(std::move(*staged));
        else
            check.problem = QStringLiteral("文件“%1”不是项目文件（第一行不是“%2”），没有打开。")
                                .arg(QDir::toNativeSeparators(file), kFormRecordBanner);
    } catch (const std::exception& e) {
        check.problem = QString::fromUtf8(e.what());
    }
    return check;
}

void ApplyCaseFile(TCaseWindow& w, const TStagedRecords& staged) {
    ApplyPaused(w, staged);
    w.ApplyCaseRules();
}

bool AcceptUtf8Case(QWidget* parent, const QString& file) {
    return ShowMessage(parent, MsgKind::Question, QStringLiteral("打开项目文件"),
                       QStringLiteral("文件“%1”是 UTF-8 编码的（可能被别的编辑器保存过），"
                                      "项目文件本应是 GBK 编码。\n要读入它吗？读入后再保存，"
                                      "这个文件将以 GBK 编码写回。")
                           .arg(QDir::toNativeSeparators(file)),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool ReadCaseFile(TCaseWindow& w, const QString& file) {
    if (file.isEmpty() || !QFileInfo::exists(file)) return false;
    const std::optional<TStagedRecords> staged = StageFormRecordFile(w.Components(), file);
    if (!staged) return false;
    ApplyCaseFile(w, *staged);
    return true;
}

TDocCommands::TDocCommands(TCaseWindow& window) : QObject(&window.Window()), w_(window) {
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
    if (QMenu* menu = w_.FileMenu()) {
        const qsizetype sep = menu->actions().indexOf(w_.FileMenuExitSeparator());
        mrf_->SetMenuPosition(static_cast<unsigned>(sep >= 0 ? sep : 6));
    }
    mrf_->SetOwnerMenuItem(w_.FileMenu());
    mrf_->OnMenuClick = [this](QObject*, const QString& path) { MRFMenuClick(path); };
    mrf_->LoadList();

    // The hooks do nothing once the commands are gone (deleted before the window, or with
    // it: then the window's interface must not be called any more).
    const QPointer<TDocCommands> self(this);
    CaseFileHooks hooks;
    hooks.newCase = [self] {
        if (self) self->MFNewClick();
    };
    hooks.openCase = [self] {
        if (self) self->MFOpenClick();
    };
    hooks.saveCase = [self] {
        if (self) self->MFSaveClick();
    };
    hooks.saveCaseAs = [self] {
        if (self) self->MFAsClick();
    };
    hooks.saveTemplate = [self] {
        if (self) self->MFTempClick();
    };
    hooks.closeQuery = [self] { return !self || self->FormCloseQuery(); };
    w_.SetCaseFileHooks(hooks);
}

TDocCommands::~TDocCommands() = default;

TDocCommands* DocCommandsOf(const QObject& window) {
    return window.findChild<TDocCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

QString TDocCommands::Ask(FileDialogSetup& dialog) {
    QString path = fileDialog ? fileDialog(&w_.Window(), dialog) : QString();
    if (path.isEmpty()) return path;
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QChar('.')))
        path += QChar('.') + dialog.defaultExt;
    dialog.fileName = path;
    return path;
}

bool TDocCommands::Guard(const std::function<void()>& body) {
    return GuardHandler(&w_.Window(), body);
}

void TDocCommands::AfterNOSA(bool add) {
    if (add) mrf_->AddFile(w_.CurrentFile());
    w_.Window().setWindowTitle(Caption(w_.CurrentFile()));
    w_.SetModified(false);
}

bool TDocCommands::BeforeNOSA() {
    discarded_ = false;
    if (!w_.Modified()) return true;
    const QMessageBox::StandardButton answer =
        askSave ? askSave(&w_.Window()) : QMessageBox::Cancel;
    if (answer == QMessageBox::No) {
        w_.SetModified(false);
        discarded_ = true;
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

bool TDocCommands::KeepUnsaved() {
    if (discarded_) w_.SetModified(true);
    discarded_ = false;
    return false;
}

std::shared_ptr<const TStagedRecords> TDocCommands::CheckedFile(const QString& path,
                                                                const QString& title) {
    const CaseFileCheck check = CheckCaseFile(w_, path);
    if (!check.staged) {
        ShowMessage(&w_.Window(), MsgKind::Warning, title, check.problem);
        return nullptr;
    }
    if (check.staged->Encoding() == TextEncoding::Utf8 && !AcceptUtf8Case(&w_.Window(), path))
        return nullptr;
    return check.staged;
}

bool TDocCommands::MFNewClick() {
    if (!BeforeNOSA()) return false;
    OpenDialogTemp.fileName.clear();
    SaveDialogData.fileName.clear();
    // Cancelling the template picker cancels "新建"; the blank template starts from nothing.
    const QString temp = Ask(OpenDialogTemp);
    if (temp.isEmpty()) return false;
    const QString file = Ask(SaveDialogData);
    if (file.isEmpty()) return KeepUnsaved();
    // The template is checked whole before the case is cleared.
    std::shared_ptr<const TStagedRecords> staged;
    if (!temp.isEmpty() && !(staged = CheckedFile(temp, OpenDialogTemp.title)))
        return KeepUnsaved();
    const bool done = Guard([&] {
        for (TEditD* f : w_.NumericFields())
            ClearComputed(f);
        if (staged) ApplyPaused(w_, *staged);
        w_.SetCurrentFile(file);
        AfterNOSA(false);
    });
    if (done && staged) ReviewInputs(w_, temp);
    discarded_ = false;
    return done;
}

bool TDocCommands::OpenPath(const QString& path) {
    const std::shared_ptr<const TStagedRecords> staged = CheckedFile(path, OpenDialogData.title);
    if (!staged) return false;
    if (!Guard([&] {
            ApplyCaseFile(w_, *staged);
            w_.SetCurrentFile(path);
            AfterNOSA(true);
        }))
        return false;
    ReviewInputs(w_, path);
    return true;
}

bool TDocCommands::MFOpenClick() {
    if (!BeforeNOSA()) return false;
    OpenDialogData.fileName.clear();
    const QString path = Ask(OpenDialogData);
    if (path.isEmpty() || !OpenPath(path)) return KeepUnsaved();
    discarded_ = false;
    return true;
}

bool TDocCommands::MRFMenuClick(const QString& path) {
    if (OpenFile(path)) return true;
    mrf_->UndoClickMove();
    return false;
}

bool TDocCommands::OpenFile(const QString& path) {
    if (!BeforeNOSA()) return false;
    if (!OpenPath(path)) return KeepUnsaved();
    discarded_ = false;
    return true;
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
    w_.Window().close();
    return true;
}

bool TDocCommands::FormCloseQuery() {
    return BeforeNOSA();
}

QString OpenCaseForTool(TCaseWindow& w, const QString& file, bool recalculate) {
    const CaseFileCheck check = CheckCaseFile(w, file);
    if (!check.staged) return check.problem;
    if (check.staged->Encoding() == TextEncoding::Utf8 && !AcceptUtf8Case(&w.Window(), file))
        return QStringLiteral("文件“%1”没有读入。").arg(QDir::toNativeSeparators(file));
    try {
        ApplyCaseFile(w, *check.staged);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    w.SetCurrentFile(file);
    w.Window().setWindowTitle(Caption(file));
    w.SetModified(false);
    ReviewInputs(w, file);
    if (recalculate) w.Recalculate();
    return QString();
}

QString SaveCaseForTool(TCaseWindow& w, const QString& file) {
    try {
        WriteCaseFile(w, file);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    w.SetCurrentFile(file);
    w.Window().setWindowTitle(Caption(file));
    w.SetModified(false);
    return QString();
}

} // namespace tubalon
