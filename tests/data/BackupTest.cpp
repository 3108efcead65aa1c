// Backup and restore of the database file: a backup is one committed state of the open
// database; a restore refuses anything that is not an intact database of this program
// before touching the live file, and otherwise replaces it whole, keeping the old one.

#include "tests/support/FileHash.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using tev::CopyFailure;
using tev::Database;

namespace {

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        live = dir.path() + u"/Tevrano.mdb"_s;
        QString error;
        ASSERT_TRUE(tev::CreateEmptyDatabase(live, &error)) << error.toStdString();
        ASSERT_TRUE(db.Open(live)) << db.LastError().toStdString();
        for (const QString& name : {u"张三"_s, u"O'Brien"_s})
            ASSERT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, name}}), 0);
    }

    static QStringList Customers(Database& d) {
        tev::ResultSet rs;
        EXPECT_TRUE(d.Query(
            u"SELECT CustomerName FROM Customer WHERE CustomerName <> '' ORDER BY CustomerIndex"_s, {}, &rs));
        QStringList names;
        for (rs.First(); !rs.Eof(); rs.Next())
            names << rs.AsString(u"CustomerName"_s);
        return names;
    }
    static QStringList CustomersIn(const QString& path) {
        Database d;
        EXPECT_TRUE(d.Open(path)) << d.LastError().toStdString();
        return Customers(d);
    }
    static QByteArray Hash(const QString& path) {
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
        return tevtest::FileHash(path);
    }
    QStringList Files(const QString& folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    QString live;
    Database db;
};

TEST_F(BackupTest, BackupOfTheOpenDatabaseHoldsExactlyTheCommittedRows) {
    // Another connection is in the middle of a write: its row is not committed, so it is
    // not in the backup.
    Database writer;
    ASSERT_TRUE(writer.Open(live));
    ASSERT_TRUE(writer.Query(u"BEGIN IMMEDIATE"_s, {}));
    ASSERT_GT(writer.Insert(u"Customer"_s, {{u"CustomerName"_s, u"未提交"_s}}), 0);

    const QString target = elsewhere.path() + u"/Corvina中介软件2024-3-15.mdb"_s;
    CopyFailure failure;
    ASSERT_TRUE(tev::BackupDatabase(db, target, &failure)) << failure.reason.toStdString();
    ASSERT_TRUE(writer.Query(u"ROLLBACK"_s, {}));

    EXPECT_EQ(CustomersIn(target), (QStringList{u"张三"_s, u"O'Brien"_s}));
    EXPECT_EQ(Files(elsewhere.path()), QStringList{u"Corvina中介软件2024-3-15.mdb"_s})
        << "no copy left behind";
    // The live connection goes on working.
    EXPECT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"李四"_s}}), 0);
}

TEST_F(BackupTest, BackupReplacesAnExistingFileButNeverTheLiveDatabase) {
    const QString target = elsewhere.path() + u"/b.mdb"_s;
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older backup");
    }
    ASSERT_TRUE(tev::BackupDatabase(db, target));
    EXPECT_EQ(CustomersIn(target).size(), 2);

    // Backing up onto the open file itself would cut the connection off from its file.
    const QByteArray before = Hash(live);
    CopyFailure failure;
    EXPECT_FALSE(tev::BackupDatabase(db, live, &failure));
    EXPECT_NE(failure.code, 0);
    EXPECT_EQ(Hash(live), before);
    EXPECT_EQ(Files(dir.path()), QStringList{u"Tevrano.mdb"_s});
    EXPECT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"李四"_s}}), 0);

    // A folder that does not exist: the failure carries the system's error number.
    EXPECT_FALSE(tev::BackupDatabase(db, elsewhere.path() + u"/no/such/b.mdb"_s, &failure));
    EXPECT_NE(failure.code, 0);
    EXPECT_FALSE(failure.reason.isEmpty());
}

TEST_F(BackupTest, RestoreRefusesAnythingButAnIntactDatabaseOfThisProgram) {
    const QString folder = elsewhere.path();
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    };
    // A 32-bit big-endian number of the file header (user version at 60, application id at 68).
    auto withHeaderNumber = [](QByteArray bytes, int offset, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = char((value >> (8 * (3 - i))) & 0xff);
        return bytes;
    };
    write(folder + u"/empty.mdb"_s, {});
    write(folder + u"/text.mdb"_s, "Standard Jet DB\nnot a database of ours\n");
    {
        // A database of another program: no application id, other tables.
        Database other;
        ASSERT_TRUE(other.CreateNew(folder + u"/other.mdb"_s));
        ASSERT_TRUE(other.Query(u"PRAGMA application_id = 0"_s, {}));
        ASSERT_TRUE(other.Query(u"CREATE TABLE Notes (Text TEXT)"_s, {}));
    }
    ASSERT_TRUE(db.Transaction([this] {
        for (int i = 0; i < 400; ++i)
            if (db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"客户%1"_s.arg(i)},
                                          {u"CustomerAddress"_s, QString(200, u'址')}}) <= 0)
                return false;
        return true;
    }));
    ASSERT_TRUE(tev::BackupDatabase(db, folder + u"/full.mdb"_s));
    QByteArray full;
    {
        QFile f(folder + u"/full.mdb"_s);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        full = f.readAll();
    }
    ASSERT_GT(full.size(), 16 * 4096);
    // Our own tables under another program's mark, and a file of a newer program.
    write(folder + u"/foreign-id.mdb"_s, withHeaderNumber(full, 68, 0x12345678));
    write(folder + u"/newer.mdb"_s, withHeaderNumber(full, 60, Database::SchemaVersion + 1));
    // Our own database cut short, as a copy broken off half-way would be.
    write(folder + u"/cut.mdb"_s, full.left(full.size() / 2));
    {
        // One page in the middle overwritten with noise, the header intact.
        const int pageSize = (quint8(full[16]) << 8) | quint8(full[17]);
        QByteArray damaged = full;
        const qsizetype page = (damaged.size() / pageSize / 2) * pageSize;
        for (qsizetype i = 0; i < pageSize; ++i)
            damaged[page + i] = char((i * 37 + 11) & 0xff);
        write(folder + u"/damaged.mdb"_s, damaged);
    }
    QFile::remove(folder + u"/full.mdb"_s);
    const QStringList names = Customers(db);
    const QByteArray before = Hash(live);

    const struct {
        const char* file;
        tev::DbError kind;
    } cases[] = {
        {"missing.mdb", tev::DbError::NotFound},         {"empty.mdb", tev::DbError::NotADatabase},
        {"text.mdb", tev::DbError::NotADatabase},        {"other.mdb", tev::DbError::NotADatabase},
        {"foreign-id.mdb", tev::DbError::NotADatabase},  {"newer.mdb", tev::DbError::TooNew},
        {"cut.mdb", tev::DbError::Corrupt},              {"damaged.mdb", tev::DbError::Corrupt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString source = folder + u"/"_s + QString::fromLatin1(c.file);
        const QByteArray sourceBefore = QFile::exists(source) ? Hash(source) : QByteArray();
        CopyFailure failure;
        EXPECT_FALSE(tev::RestoreDatabase(db, source, &failure));
        EXPECT_NE(failure.code, 0);
        EXPECT_EQ(failure.kind, c.kind);
        EXPECT_EQ(failure.reason, tev::ReasonText(c.kind) + u"："_s + source);
        EXPECT_EQ(Hash(live), before);
        EXPECT_EQ(Files(dir.path()), QStringList{u"Tevrano.mdb"_s}) << "nothing written beside the database";
        if (!sourceBefore.isEmpty()) {
            EXPECT_EQ(Hash(source), sourceBefore) << "the chosen file is left as it was";
        }
        ASSERT_TRUE(db.IsOpen());
        EXPECT_EQ(Customers(db), names);
    }
}

TEST_F(BackupTest, RestoreReplacesTheDataAndKeepsTheReplacedDatabase) {
    const QString backup = elsewhere.path() + u"/backup.mdb"_s;
    ASSERT_TRUE(tev::BackupDatabase(db, backup));
    ASSERT_GT(db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"备份之后"_s}}), 0);

    CopyFailure failure;
    ASSERT_TRUE(tev::RestoreDatabase(db, backup, &failure)) << failure.reason.toStdString();
    EXPECT_FALSE(db.IsOpen()) << "the old connection is closed before the file is replaced";

    EXPECT_EQ(CustomersIn(live), (QStringList{u"张三"_s, u"O'Brien"_s}));
    EXPECT_EQ(CustomersIn(live + u".bak"_s), (QStringList{u"张三"_s, u"O'Brien"_s, u"备份之后"_s}));
    EXPECT_EQ(Files(dir.path()), (QStringList{u"Tevrano.mdb"_s, u"Tevrano.mdb.bak"_s}));
    EXPECT_EQ(CustomersIn(backup).size(), 2) << "the chosen file is left as it was";
}

} // namespace
