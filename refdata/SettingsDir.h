// Where the program writes for the user: "Params.ini", the recent-files list, saved files.
#pragma once

#include <QString>

namespace tubalon {

// The program's own folder (appDir, with its trailing "/") while it can be written, as for a
// copy unpacked anywhere; otherwise, as for a system-wide install, the user's standard
// configuration folder ($XDG_CONFIG_HOME/Tubalon, usually ~/.config/Tubalon), created when
// missing. The result ends with "/".
QString SettingsDir(const QString& appDir);

// The folder the save dialogs start in: appDir + "../" (where templates and examples lie)
// while it can be written, else the user's documents folder.
QString SaveFolder(const QString& appDir);

} // namespace tubalon
