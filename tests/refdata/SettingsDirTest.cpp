// Where settings and saved files go: beside the program while its folder takes files, else
// the user's configuration and documents folders.
#include "refdata/SettingsDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tubalon;

namespace {
// XDG_CONFIG_HOME and HOME point into a fresh folder for the test's lifetime.
struct UserFolders {
    QTemporaryDir home;
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldHome = qgetenv("HOME");
    UserFolders() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
        qputenv("HOME", QFile::encodeName(home.path()));
    }
    ~UserFolders() {
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("HOME", oldHome);
    }
};
} // namespace

TEST(SettingsDir, BesideAWritableProgram) {
    UserFolders user;
    QTemporaryDir tree;
    QDir(tree.path()).mkpath("bin");
    const QString bin = tree.filePath("bin") + "/";
    EXPECT_EQ(SettingsDir(bin), bin);
    EXPECT_EQ(SaveFolder(bin), bin + "../");
    EXPECT_FALSE(QDir(user.home.filePath("config/Tubalon")).exists());
}

// A program folder that cannot take files (not there at all, or read-only for the user)
// sends settings to $XDG_CONFIG_HOME/Tubalon, made when missing, and saving to the
// documents folder, or home when there is none.
TEST(SettingsDir, UserFoldersForAnInstalledProgram) {
    UserFolders user;
    const QString config = user.home.filePath("config/Tubalon") + "/";
    EXPECT_EQ(SettingsDir("/nonexistent/tubalon/bin/"), config);
    EXPECT_TRUE(QDir(config).exists());
    EXPECT_EQ(SaveFolder("/nonexistent/tubalon/bin/"), user.home.path() + "/");
    QDir(user.home.path()).mkdir("Documents");
    EXPECT_EQ(SaveFolder("/nonexistent/tubalon/bin/"), user.home.filePath("Documents") + "/");
}

TEST(SettingsDir, ReadOnlyProgramFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
    UserFolders user;
    const QString config = user.home.filePath("config/Tubalon") + "/";
    QDir(user.home.path()).mkdir("Documents");
    QTemporaryDir tree;
    QDir(tree.path()).mkpath("bin");
    const QString bin = tree.filePath("bin") + "/";
    QFile::setPermissions(tree.filePath("bin"), QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(tree.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(SettingsDir(bin), config);
    EXPECT_EQ(SaveFolder(bin), user.home.filePath("Documents") + "/");
    QFile::setPermissions(tree.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(tree.filePath("bin"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
