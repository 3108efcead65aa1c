// The start on a database that cannot be written and with a settings file that cannot be used.
// A read-only database file or folder is said in Chinese words naming the file, and the start
// goes no further: the file is left byte for byte as it was. A damaged "Tevrano.ini" is said once,
// kept beside as "Tevrano.ini.bad" and the defaults apply; a good one is read and left alone.

#include "tests/support/FileHash.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FaultVfs.h"

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::AppFixture;

namespace {

QString ReadOnlyMessage(const QString& database) {
    return u"数据库文件或所在文件夹为只读，无法写入："_s + QDir::toNativeSeparators(database);
}

// The system's immutable flag: not even root may write the file while it is set.
bool SetImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

class StartupFaultsTest : public AppFixture {
protected:
    // The start goes no further than the database and leaves nothing open or held.
    void ExpectRefusedStart(const QString& message, MsgIcon icon) {
        ui.ExpectMessage(message, ProgramTitle, icon);
        EXPECT_FALSE(FormMain->FormShow());
        EXPECT_NE(FormMain->ExitCode, 0);
        EXPECT_FALSE(ShareDM->ADOConnection1.IsOpen());
        EXPECT_FALSE(ShareDM->DatabaseLock1.Held());
    }
    void PutIni(const QByteArray& bytes) {
        QFile f(IniFileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    // Starts and signs in as the general manager, whose pages restore the sort boxes.
    void StartSignedIn() {
        ExpectSignIn(u"总经理"_s, u""_s);
        ASSERT_TRUE(FormMain->FormShow());
    }
    // The customer sort direction: "按降序排" (1) by default.
    int CustomerSortDirection() const { return FormMain->ComboBox7->currentIndex(); }

    tevtest::FaultVfs disk; // made before any connection, so that the program's runs on it
};

TEST_F(StartupFaultsTest, AFileOrFolderTheEngineCannotWriteStopsTheStartNamingTheFile) {
    const QByteArray before = tevtest::FileHash(DbPath());
    int refused = 0;
    for (void (tevtest::FaultVfs::*fault)(bool) :
         {&tevtest::FaultVfs::SetReadOnlyFiles, &tevtest::FaultVfs::SetNoNewFiles}) {
        (disk.*fault)(true);
        ExpectRefusedStart(ReadOnlyMessage(DbPath()), MsgIcon::None);
        (disk.*fault)(false);
        refused += FormMain->ExitCode != 0;
    }
    EXPECT_EQ(tevtest::FileHash(DbPath()), before);
    EXPECT_EQ(QDir(dir.path()).entryList({u"Tevrano.mdb*"_s}, QDir::Files | QDir::Hidden),
              QStringList{u"Tevrano.mdb"_s});
    // Writable again, the same database starts.
    StartSignedIn();
    std::cout << "read-only start (engine): starts refused " << refused << ", database unchanged "
              << (tevtest::FileHash(DbPath()) == before) << std::endl;
}

TEST_F(StartupFaultsTest, ARealReadOnlyFileOrFolderStopsTheStartNamingTheFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "root is needed for an immutable file and a read-only mount";
    const QByteArray before = tevtest::FileHash(DbPath());
    int refused = 0;

    // The file: immutable, in a folder that takes new files.
    if (SetImmutable(DbPath(), true)) {
        ExpectRefusedStart(ReadOnlyMessage(DbPath()), MsgIcon::None);
        refused += FormMain->ExitCode != 0;
        EXPECT_TRUE(SetImmutable(DbPath(), false));
    } else {
        std::cout << "no immutable flag on this file system: " << std::strerror(errno) << std::endl;
    }

    // The folder: the same folder mounted read-only elsewhere.
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());
    const QByteArray from = QFile::encodeName(dir.path());
    const QByteArray to = QFile::encodeName(mountPoint.path());
    if (::mount(from.constData(), to.constData(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "no bind mount here: " << std::strerror(errno);
    struct Unmount {
        QByteArray at;
        ~Unmount() {
            if (::umount2(at.constData(), 0) != 0) ::umount2(at.constData(), MNT_DETACH);
        }
    } unmount{to};
    ASSERT_EQ(::mount(nullptr, to.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    DataDir = mountPoint.path() + u"/"_s;
    IniFileName = DataDir + u"Tevrano.ini"_s;
    // The lock beside the database is refused first, in the same words.
    ExpectRefusedStart(ReadOnlyMessage(DataDir + u"Tevrano.mdb"_s), MsgIcon::Error);
    refused += FormMain->ExitCode != 0;
    EXPECT_EQ(tevtest::FileHash(DbPath()), before);
    std::cout << "read-only start (system): starts refused " << refused << ", database unchanged "
              << (tevtest::FileHash(DbPath()) == before) << std::endl;
}

TEST_F(StartupFaultsTest, ADamagedSettingsFileIsSaidOnceKeptAsideAndTheDefaultsApply) {
    // Readable keys in a file that is damaged all the same: none of them is taken.
    QByteArray damaged = "[Tevrano]\r\n" + QByteArray::fromHex("bfcdbba7c5c5d0f2b7bdcff2") + "=0\r\n";
    damaged += QByteArray("\0\x81\x20\xff", 4);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"NUL and undecodable bytes", damaged},
        {"10 MB", QByteArray(10 * 1024 * 1024, ';')},
    };
    int kept = 0;
    for (const auto& c : cases) {
        PutIni(c.bytes);
        const QString aside = IniFileName + u".bad"_s;
        ui.ExpectMessage(u"配置文件已损坏，本次使用默认设置：%1\n原文件已另存为：%2"_s.arg(
                             QDir::toNativeSeparators(IniFileName), QDir::toNativeSeparators(aside)),
                         ProgramTitle, MsgIcon::Warning);
        StartSignedIn();
        EXPECT_EQ(CustomerSortDirection(), 1) << c.what;
        EXPECT_FALSE(QFile::exists(IniFileName)) << c.what;
        QFile keptFile(aside);
        ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly)) << c.what;
        kept += keptFile.readAll() == c.bytes;

        // The next start has nothing to say; a setting chosen now lands in a new file.
        StartSignedIn();
        FormMain->ComboBox7->setCurrentIndex(0);
        emit FormMain->ComboBox7->activated(0);
        EXPECT_EQ(IniReadString(u"Tevrano"_s, u"客户排序方向"_s, {}, IniFileName), u"0"_s) << c.what;
        ASSERT_TRUE(QFile::remove(aside));
        ASSERT_TRUE(QFile::remove(IniFileName));
    }
    const int said = int(ui.Messages().size());
    EXPECT_EQ(said, 2); // once for each damaged file, never again
    EXPECT_EQ(kept, 2);
    std::cout << "damaged settings: files " << std::size(cases) << ", messages " << said
              << ", kept aside intact " << kept << std::endl;
}

TEST_F(StartupFaultsTest, AGoodSettingsFileIsReadAndLeftAloneAndAnUnreadableOneIsSaid) {
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"客户排序方向"_s, u"0"_s, IniFileName));
    const QByteArray before = tevtest::FileHash(IniFileName);
    StartSignedIn();
    EXPECT_EQ(CustomerSortDirection(), 0);
    const bool unchanged = tevtest::FileHash(IniFileName) == before;
    EXPECT_TRUE(unchanged);
    EXPECT_FALSE(QFile::exists(IniFileName + u".bad"_s));
    EXPECT_TRUE(ui.Messages().empty());

    // A folder where the file should be: nothing can be read or written there, and nothing is moved.
    ASSERT_TRUE(QFile::remove(IniFileName));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Tevrano.ini"_s));
    ui.ExpectMessage(u"配置文件无法读取，本次使用默认设置：%1"_s.arg(QDir::toNativeSeparators(IniFileName)),
                     ProgramTitle, MsgIcon::Warning);
    StartSignedIn();
    EXPECT_EQ(CustomerSortDirection(), 1);
    EXPECT_TRUE(QFileInfo(IniFileName).isDir());
    std::cout << "settings: good file unchanged " << unchanged << ", unreadable file left in place "
              << QFileInfo(IniFileName).isDir() << ", messages " << ui.Messages().size() << std::endl;
}

} // namespace
