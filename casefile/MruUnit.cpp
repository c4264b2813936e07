#include "casefile/MruUnit.h"

#include "refdata/IniFile.h"
#include "units/Messages.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

namespace tubalon {
namespace {
const QString kSection = QStringLiteral("MRU List");

bool IsTagged(const QAction* a) {
    return a->property("mruTag").toInt() == TMostRecentFiles::kTag;
}

// The extension with its dot, as the file name shows it ("" when there is none).
QString ExtensionOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QChar('.'));
    return dot < 0 ? QString() : name.mid(dot);
}
} // namespace

TMostRecentFiles::TMostRecentFiles(QObject* owner) : QObject(owner) {}

TMostRecentFiles::~TMostRecentFiles() {
    if (storeOnDestroy_) SaveList();
    if (owner_) {
        const QList<QAction*> actions = owner_->actions();
        for (QAction* a : actions)
            if (IsTagged(a)) owner_->removeAction(a);
    }
}

void TMostRecentFiles::SetMaxFiles(unsigned n) {
    maxFiles_ = n == 0 ? 1 : n >= 16 ? 15 : n;
    BuildMenu();
}

void TMostRecentFiles::SetShowFullPath(bool b) {
    showFullPath_ = b;
    BuildMenu();
}

void TMostRecentFiles::SetOwnerMenuItem(QMenu* menu) {
    owner_ = menu;
    BuildMenu();
}

void TMostRecentFiles::SetIniFile(const QString& f) {
    iniFile_ = f;
    if (regPath_.isEmpty()) LoadList();
}

QString TMostRecentFiles::StorageFile() const {
    if (iniFile_.contains(QChar('/')) || iniFile_.contains(QChar('\\'))) return iniFile_;
    const QString dir = QCoreApplication::applicationDirPath() + QChar('/');
    if (!iniFile_.isEmpty()) return dir + iniFile_;
    return dir + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".ini");
}

void TMostRecentFiles::LoadList() {
    files_.clear();
    loadProblem_.clear();
    const QString file = StorageFile();
    if (QFileInfo::exists(file)) {
        const TIniFile ini(file);
        if (!ini.LoadError().isEmpty())
            loadProblem_ = ini.LoadError() +
                           QStringLiteral("最近打开的文件列表没有读入，也不会写回这个文件。");
        for (unsigned r = 1; r <= maxFiles_; ++r) {
            const QString path = ini.ReadString(kSection, QString::number(r), QString());
            if (path.isEmpty()) break;
            files_.append(path);
        }
    }
    BuildMenu();
}

void TMostRecentFiles::SaveList() const {
    if (!loadProblem_.isEmpty()) return; // what that file holds is not ours to replace
    TIniFile ini(StorageFile());
    if (!ini.LoadError().isEmpty()) return;
    for (unsigned r = 1; r <= maxFiles_; ++r) {
        const qsizetype i = static_cast<qsizetype>(r) - 1;
        ini.WriteString(kSection, QString::number(r), i < files_.size() ? files_[i] : QString());
    }
    try {
        ini.Flush();
    } catch (const std::exception&) {
        // a failure must not stop the program from closing
    }
}

void TMostRecentFiles::AddFile(const QString& path) {
    const QString ext = fileExt_.trimmed();
    if (!ext.isEmpty()) {
        const QString want = (ext.startsWith(QChar('.')) ? ext : QChar('.') + ext).toUpper();
        if (ExtensionOf(path).toUpper() != want) return;
    }
    if (!owner_) return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < files_.size() && at < 0; ++i)
        if (files_[i].compare(path, Qt::CaseInsensitive) == 0) at = i;
    if (at == 0) return;
    if (at > 0) files_.removeAt(at);
    files_.prepend(path);
    while (files_.size() > static_cast<qsizetype>(maxFiles_))
        files_.removeLast();
    BuildMenu();
}

void TMostRecentFiles::UndoClickMove() {
    if (files_ == afterClick_ && files_ != beforeClick_) {
        files_ = beforeClick_;
        BuildMenu();
    }
    beforeClick_.clear();
    afterClick_.clear();
}

QAction* TMostRecentFiles::NewTagged(bool separator) {
    auto* a = new QAction(owner_);
    a->setProperty("mruTag", kTag);
    a->setSeparator(separator);
    return a;
}

void TMostRecentFiles::BuildMenu() {
    if (!owner_) return;
    QList<QAction*> actions = owner_->actions();
    for (qsizetype i = actions.size() - 1; i >= 0; --i) {
        if (!IsTagged(actions[i])) continue;
        owner_->removeAction(actions[i]);
        actions[i]->deleteLater(); // it may be the entry whose click is running
    }
    if (files_.isEmpty()) return;
    actions = owner_->actions();
    qsizetype p = std::min<qsizetype>(menuPosition_, actions.size());
    auto insertAt = [&](qsizetype at, QAction* a) {
        owner_->insertAction(at < actions.size() ? actions[at] : nullptr, a);
        actions.insert(at, a);
    };
    if (p > 0 && !actions[p - 1]->isSeparator()) insertAt(p++, NewTagged(true));
    for (qsizetype r = 1; r <= files_.size(); ++r) {
        const QString& path = files_[r - 1];
        QAction* a = NewTagged(false);
        a->setText(QStringLiteral("&%1  %2").arg(
            QString::number(r, 16).toUpper(), showFullPath_ ? path : QFileInfo(path).fileName()));
        connect(a, &QAction::triggered, this, [this, a] { MenuItemClick(a); });
        insertAt(p++, a);
    }
    if (p < actions.size() && !actions[p]->isSeparator()) insertAt(p, NewTagged(true));
}

void TMostRecentFiles::MenuItemClick(QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item || !owner_ || !OnMenuClick) return;
    const QList<QAction*> actions = owner_->actions();
    const qsizetype self = actions.indexOf(item);
    qsizetype first = -1;
    for (qsizetype i = 0; i < actions.size() && first < 0; ++i)
        if (IsTagged(actions[i])) first = i;
    if (self < 0 || first < 0) return;
    const qsizetype index = self - first - (actions[first]->isSeparator() ? 1 : 0);
    if (index < 0 || index >= files_.size()) return;
    const QString path = files_[index];
    if (QFileInfo::exists(path)) {
        beforeClick_ = afterClick_ = files_;
        if (index > 0) {
            afterClick_.removeAt(index);
            afterClick_.prepend(path);
            files_ = afterClick_;
            BuildMenu();
        }
        OnMenuClick(sender, path);
        return;
    }
    if (OnFileNotExist) {
        OnFileNotExist(sender, path);
    } else {
        QWidget* w = qobject_cast<QWidget*>(parent());
        ShowMessage(w ? w->window() : nullptr, MsgKind::Information,
                    QGuiApplication::applicationDisplayName(),
                    QStringLiteral("The file ...\n\"%1\"\nno longer exists.").arg(path));
    }
    files_.removeAt(index);
    BuildMenu();
}

} // namespace tubalon
