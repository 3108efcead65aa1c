// Upgrading a database made by an older program: the kept copy, the steps in one
// transaction, no row changed, the same schema as a new file; a newer file refused untouched.

#include "tests/support/FileHash.h"
#include "data/Migrate.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// The database file made by the program of schema version 1, with the demo business.
QString StoredOldFile() {
    return QString::fromUtf8(TEV_SOURCE_DIR) + u"/tests/data/tevrano-v1.mdb"_s;
}

QStringList Rows(Database& db) {
    QStringList rows;
    for (const QString& table : RequiredTables()) {
        ResultSet rs;
        EXPECT_TRUE(db.Query(u"SELECT * FROM %1 ORDER BY 1"_s.arg(table), {}, &rs));
        for (int r = 0; r < rs.RecordCount(); ++r) {
            QString row = table;
            for (int c = 0; c < rs.Columns().size(); ++c)
                if (!rs.Columns().at(c).startsWith(u"BillGet"_s)) // totals the upgrade adds
                    row += u'|' + rs.At(r, c).toString();
            rows << row;
        }
    }
    return rows;
}

QStringList Schema(Database& db) {
    ResultSet rs;
    EXPECT_TRUE(
        db.Query(u"SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"_s,
                 {}, &rs));
    QStringList entries;
    for (rs.First(); !rs.Eof(); rs.Next())
        entries << rs.AsString(u"type"_s) + u' ' + rs.AsString(u"name"_s) + u' ' + rs.AsString(u"sql"_s);
    return entries;
}

class MigrateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(StoredOldFile(), Path())) << StoredOldFile().toStdString();
        QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner);
    }
    QString Path() const { return dir.path() + u"/Tevrano.mdb"_s; }
    QTemporaryDir dir;
};

TEST_F(MigrateTest, AnOlderFileIsUpgradedAfterACopyIsKeptAndNoRowChanges) {
    Database db;
    ASSERT_TRUE(db.Open(Path())) << db.LastError().toStdString();
    ASSERT_EQ(SchemaVersionOf(db), 1);
    const QStringList before = Rows(db);
    ASSERT_GT(before.size(), 200); // the demo business is there

    QString error, kept;
    ASSERT_TRUE(UpgradeDatabase(db, &error, &kept)) << error.toStdString();
    EXPECT_EQ(SchemaVersionOf(db), Database::SchemaVersion);
    EXPECT_EQ(Rows(db), before);

    // The upgraded schema is the schema of a new file.
    Database fresh;
    QString createError;
    ASSERT_TRUE(CreateEmptyDatabase(dir.path() + u"/new.mdb"_s, &createError)) << createError.toStdString();
    ASSERT_TRUE(fresh.Open(dir.path() + u"/new.mdb"_s));
    EXPECT_EQ(Schema(db), Schema(fresh));
    EXPECT_TRUE(Schema(db).join(u'\n').contains(u"ParameterByTypeInOrder"_s));
    // The accounts' monthly totals start from the vouchers already in the file.
    ResultSet totals, summed;
    ASSERT_TRUE(db.Select(u"Select MoneyAccount, MonthStart, Units From AccountMonth Order By 1, 2"_s, totals));
    ASSERT_TRUE(db.Select(u"Select MoneyAccount, substr(MoneyCreateTime, 1, 7) As M, "
                          "Sum(Cast(Round(MoneySum * 10000) As Integer)) As U From MoneyTable "
                          "Where MoneyAccount Is Not Null Group By 1, 2 Order By 1, 2"_s,
                          summed));
    ASSERT_GT(totals.RecordCount(), 1);
    ASSERT_EQ(totals.RecordCount(), summed.RecordCount());
    for (int r = 0; r < totals.RecordCount(); ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(totals.At(r, c).toString(), summed.At(r, c).toString()) << r << ' ' << c;

    // Each bill's received total starts from its vouchers already in the file.
    ResultSet bills;
    ASSERT_TRUE(db.Select(u"Select Count(*), Sum(BillGetUnits <> 0), Sum(BillGetUnits = Coalesce((Select "
                          "Sum(Cast(Round(MoneySum * 10000) As Integer)) From MoneyTable Where MoneyBill = "
                          "BillIndex), 0)) From Bill"_s,
                          bills));
    EXPECT_GT(bills.At(0, 1).toInt(), 0);
    EXPECT_EQ(bills.At(0, 2).toInt(), bills.At(0, 0).toInt());

    // The copy kept beside it is the old file, whole.
    EXPECT_EQ(kept, Path() + u".v1.bak"_s);
    Database copy;
    ASSERT_TRUE(copy.Open(kept)) << copy.LastError().toStdString();
    EXPECT_EQ(SchemaVersionOf(copy), 1);
    EXPECT_EQ(Rows(copy), before);

    // Opening a current file again does nothing.
    db.Close();
    ASSERT_TRUE(db.Open(Path()));
    ASSERT_TRUE(UpgradeDatabase(db, &error));
    EXPECT_EQ(SchemaVersionOf(db), Database::SchemaVersion);
}

TEST_F(MigrateTest, AStepThatFailsLeavesTheOldFileAsItWas) {
    {
        // Something in the old file is in the step's way.
        Database db;
        ASSERT_TRUE(db.Open(Path()));
        ASSERT_TRUE(db.Query(u"CREATE INDEX ParameterByTypeInOrder ON Parameter (ParameterValue)"_s, {}));
    }
    const QByteArray before = tevtest::FileHash(Path());
    Database db;
    ASSERT_TRUE(db.Open(Path()));
    QString error;
    EXPECT_FALSE(UpgradeDatabase(db, &error));
    EXPECT_TRUE(error.startsWith(u"数据库升级失败，原文件未改动"_s)) << error.toStdString();
    EXPECT_EQ(SchemaVersionOf(db), 1);
    db.Close();
    EXPECT_EQ(tevtest::FileHash(Path()), before);
}

TEST_F(MigrateTest, AFileOfANewerProgramIsRefusedAndLeftUntouched) {
    {
        Database db;
        ASSERT_TRUE(db.Open(Path()));
        ASSERT_TRUE(db.Query(u"PRAGMA user_version = %1"_s.arg(Database::SchemaVersion + 1), {}));
    }
    const QByteArray before = tevtest::FileHash(Path());
    Database db;
    EXPECT_FALSE(db.Open(Path()));
    EXPECT_EQ(db.LastError(), u"数据库版本 %1 比本程序新，请升级程序"_s.arg(Database::SchemaVersion + 1));
    EXPECT_EQ(db.LastErrorKind(), DbError::TooNew);
    EXPECT_EQ(tevtest::FileHash(Path()), before);
    EXPECT_FALSE(QFile::exists(Path() + u".v1.bak"_s));
}

} // namespace
