// The database layer when the file cannot be written, the disk is full or another program holds
// the database: opened for work, a file or folder that cannot be written is refused in words
// that name the file, and the file stays as it was; how long a statement waits for another
// program is the connection's to set; a write or a backup that meets a full disk lands whole or
// not at all, and works again once there is room.

#include "tests/support/FileHash.h"
#include "tests/support/FaultVfs.h"

#include "data/Backup.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using tev::CopyFailure;
using tev::Database;
using tev::DbError;

namespace {

int CustomerCount(Database& db) {
    tev::ResultSet rs;
    EXPECT_TRUE(db.Query(u"SELECT COUNT(*) FROM Customer"_s, {}, &rs)) << db.LastError().toStdString();
    return rs.IsEmpty() ? -1 : rs.At(0, 0).toInt();
}

bool Intact(Database& db) {
    tev::ResultSet rs;
    return db.Query(u"PRAGMA integrity_check"_s, {}, &rs) && rs.At(0, 0).toString() == u"ok"_s;
}

class DatabaseFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + u"/Tevrano.mdb"_s;
        QString error;
        ASSERT_TRUE(tev::CreateEmptyDatabase(path, &error)) << error.toStdString();
    }

    tevtest::FaultVfs disk; // before any connection, so that every one runs on it
    QTemporaryDir dir;
    QString path;
};

TEST_F(DatabaseFaultsTest, AFileOrFolderThatCannotBeWrittenIsRefusedByNameAndLeftAsItWas) {
    const QByteArray before = tevtest::FileHash(path);
    const struct {
        const char* what;
        void (tevtest::FaultVfs::*fault)(bool);
    } cases[] = {
        {"read-only file", &tevtest::FaultVfs::SetReadOnlyFiles},
        {"folder that takes no new file", &tevtest::FaultVfs::SetNoNewFiles},
    };
    int refused = 0, unchanged = 0, readable = 0;
    for (const auto& c : cases) {
        (disk.*c.fault)(true);
        Database db;
        EXPECT_FALSE(db.Open(path)) << c.what;
        EXPECT_FALSE(db.IsOpen()) << c.what;
        EXPECT_EQ(db.LastErrorKind(), DbError::ReadOnly) << c.what;
        EXPECT_EQ(db.LastError(),
                  u"数据库文件或所在文件夹为只读，无法写入："_s + QDir::toNativeSeparators(path))
            << c.what;
        refused += !db.IsOpen() && db.LastErrorKind() == DbError::ReadOnly;
        unchanged += tevtest::FileHash(path) == before;
        EXPECT_FALSE(QFile::exists(path + u"-journal"_s)) << c.what;

        // Only to read it (a backup being checked), the same file opens.
        Database reader;
        EXPECT_TRUE(reader.Open(path, Database::OpenFor::Reading))
            << c.what << reader.LastError().toStdString();
        readable += reader.IsOpen() && CustomerCount(reader) == 1;
        reader.Close();
        (disk.*c.fault)(false);
    }
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(unchanged, 2);
    EXPECT_EQ(readable, 2);
    EXPECT_EQ(tevtest::FileHash(path), before);
    Database db;
    EXPECT_TRUE(db.Open(path)) << db.LastError().toStdString();
    std::cout << "read-only: opens for work refused " << refused << ", file unchanged " << unchanged
              << ", opened for reading " << readable << std::endl;
}

TEST_F(DatabaseFaultsTest, TheWaitForAnotherProgramsLockIsTheConnectionsToSet) {
    Database db;
    db.SetBusyTimeout(150); // set before the open: the open takes it
    ASSERT_TRUE(db.Open(path)) << db.LastError().toStdString();
    EXPECT_EQ(db.BusyTimeout(), 150);
    qint64 waited = 0;
    {
        tevtest::OtherProgramLock other(path, "IMMEDIATE");
        ASSERT_TRUE(other.Held());
        QElapsedTimer clock;
        clock.start();
        EXPECT_LT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s}}), 0);
        waited = clock.elapsed();
        EXPECT_EQ(db.LastErrorKind(), DbError::Busy);
        EXPECT_GE(waited, 100);
        EXPECT_LT(waited, 3000);

        // Changed on the open connection, it applies at once.
        db.SetBusyTimeout(20);
        clock.restart();
        EXPECT_LT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s}}), 0);
        EXPECT_LT(clock.elapsed(), 120);
    }
    EXPECT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s}}), 0) << db.LastError().toStdString();
    EXPECT_EQ(CustomerCount(db), 2);
    std::cout << "busy: waited " << waited << " ms (timeout 150), refused 2, saved after release 1"
              << std::endl;
}

TEST_F(DatabaseFaultsTest, AWriteOrABackupMeetingAFullDiskLandsWholeOrNotAtAll) {
    Database db;
    ASSERT_TRUE(db.Open(path)) << db.LastError().toStdString();
    ASSERT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s}}), 0);
    const QByteArray before = tevtest::FileHash(path);
    QTemporaryDir backups;
    ASSERT_TRUE(backups.isValid());
    const QString target = backups.path() + u"/备份.mdb"_s;

    // A transaction of many rows: the disk fills part-way through its journal and new pages.
    disk.SetRoom(16 * 1024);
    const bool stored = db.Transaction([&] {
        for (int i = 0; i < 400; ++i)
            if (db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"客户%1"_s.arg(i)},
                                          {u"CustomerRemark"_s, QString(100, u'备')}}) < 0)
                return false;
        return true;
    });
    EXPECT_FALSE(stored);
    EXPECT_EQ(db.LastErrorKind(), DbError::DiskFull);
    EXPECT_EQ(tev::ReasonText(db.LastErrorKind()), u"磁盘已满"_s);
    EXPECT_EQ(CustomerCount(db), 2);
    EXPECT_TRUE(Intact(db));
    EXPECT_EQ(tevtest::FileHash(path), before);

    // A backup to a disk with room for part of the copy leaves nothing in its folder.
    disk.SetRoom(8 * 1024, backups.path());
    CopyFailure failure;
    EXPECT_FALSE(tev::BackupDatabase(db, target, &failure));
    EXPECT_EQ(failure.kind, DbError::DiskFull);
    EXPECT_EQ(failure.reason, u"磁盘已满"_s);
    const QStringList left = QDir(backups.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(u", "_s).toStdString();
    const int refused = disk.RefusedWrites();

    disk.SetRoom(-1);
    EXPECT_TRUE(db.Transaction([&] {
        return db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"李四"_s}}) > 0;
    })) << db.LastError().toStdString();
    EXPECT_TRUE(tev::BackupDatabase(db, target, &failure)) << failure.reason.toStdString();
    EXPECT_EQ(CustomerCount(db), 3);
    std::cout << "full disk (engine): writes refused " << refused << ", rows kept " << CustomerCount(db) - 1
              << " of 2 before + 1 after, backup files left " << left.size() << ", backup after room "
              << QFile::exists(target) << std::endl;
}

// The same on a real small disk: a tmpfs of 2 MB filled up by another file.
TEST(RealFullDisk, ASaveAndABackupOnAFullTmpfsFailAsDiskFullAndWorkOnceThereIsRoom) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());
    const QByteArray where = QFile::encodeName(mountPoint.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=2m") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here: " << std::strerror(errno);
    struct Unmount {
        QByteArray at;
        ~Unmount() {
            if (::umount2(at.constData(), 0) != 0) ::umount2(at.constData(), MNT_DETACH);
        }
    } unmount{where};

    const QString live = mountPoint.path() + u"/Tevrano.mdb"_s;
    QString error;
    ASSERT_TRUE(tev::CreateEmptyDatabase(live, &error)) << error.toStdString();
    {
        Database db;
        ASSERT_TRUE(db.Open(live)) << db.LastError().toStdString();
        QFile filler(mountPoint.path() + u"/filler"_s);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(64 * 1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        EXPECT_LT(db.Insert(u"Customer"_s,
                            {{u"CustomerName"_s, u"张三"_s}, {u"CustomerRemark"_s, QString(20000, u'备')}}),
                  0);
        EXPECT_EQ(db.LastErrorKind(), DbError::DiskFull) << db.LastError().toStdString();
        EXPECT_EQ(CustomerCount(db), 1);
        EXPECT_TRUE(Intact(db));
        CopyFailure failure;
        const QString target = mountPoint.path() + u"/备份.mdb"_s;
        EXPECT_FALSE(tev::BackupDatabase(db, target, &failure));
        EXPECT_EQ(failure.kind, DbError::DiskFull) << failure.reason.toStdString();
        EXPECT_EQ(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                  (QStringList{u"Tevrano.mdb"_s, u"filler"_s}));

        ASSERT_TRUE(filler.remove());
        EXPECT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s}}), 0)
            << db.LastError().toStdString();
        EXPECT_TRUE(tev::BackupDatabase(db, target, &failure)) << failure.reason.toStdString();
        std::cout << "full tmpfs: save and backup refused with \""
                  << tev::ReasonText(DbError::DiskFull).toStdString() << "\"; after room: customers "
                  << CustomerCount(db) - 1 << ", backup written " << QFile::exists(target) << std::endl;
    }
}

} // namespace
