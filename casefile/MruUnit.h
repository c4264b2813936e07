// TMostRecentFiles: the recent-files list, shown as numbered entries in a menu and kept in
// the section "MRU List" of an INI file between runs.
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QAction;

namespace tubalon {

// Sender is the menu entry, fileName its path.
using TMRUMenuEvent = std::function<void(QObject* sender, const QString& fileName)>;

class TMostRecentFiles : public QObject {
    Q_OBJECT
public:
    // Tag value of the menu entries and separators the list inserted.
    static constexpr int kTag = 0x0BAD1DEA;

    explicit TMostRecentFiles(QObject* owner = nullptr);
    // Stores the list (SaveList) unless storing was turned off.
    ~TMostRecentFiles() override;

    unsigned MaxFiles() const { return maxFiles_; }
    // 0 becomes 1, 16 or more becomes 15.
    void SetMaxFiles(unsigned n);
    bool ShowFullPath() const { return showFullPath_; }
    void SetShowFullPath(bool b);
    QMenu* OwnerMenuItem() const { return owner_; }
    void SetOwnerMenuItem(QMenu* menu);
    unsigned MenuPosition() const { return menuPosition_; }
    void SetMenuPosition(unsigned p) { menuPosition_ = p; }
    QString IniFile() const { return iniFile_; }
    void SetIniFile(const QString& f);
    // Accepted for compatibility; there is no registry, so the INI file is always used.
    QString RegPath() const { return regPath_; }
    void SetRegPath(const QString& p) { regPath_ = p; }
    QString FileExt() const { return fileExt_; }
    void SetFileExt(const QString& e) { fileExt_ = e; }
    // Whether the destructor runs SaveList (on by default).
    void SetStoreOnDestroy(bool b) { storeOnDestroy_ = b; }

    TMRUMenuEvent OnMenuClick;
    TMRUMenuEvent OnFileNotExist;

    // The paths, most recent first.
    QStringList Files() const { return files_; }
    // The INI file used for storage.
    QString StorageFile() const;
    // Why the stored list could not be read at the last LoadList (the message names the
    // file), empty when it was read or absent. Such a file is then never written over.
    const QString& LoadProblem() const { return loadProblem_; }

    void AddFile(const QString& path);
    // Puts back the order a click changed by moving its entry to the top, when nothing else
    // changed the list since: the command it started replaced nothing.
    void UndoClickMove();
    void LoadList();
    void SaveList() const;
    void BuildMenu();
    void MenuItemClick(QObject* sender);

private:
    QAction* NewTagged(bool separator);

    QStringList files_;
    unsigned maxFiles_ = 9;
    bool showFullPath_ = false;
    QPointer<QMenu> owner_;
    unsigned menuPosition_ = 0;
    QString iniFile_;
    QString regPath_;
    QString fileExt_;
    bool storeOnDestroy_ = true;
    QString loadProblem_;
    QStringList beforeClick_, afterClick_;
};

} // namespace tubalon
