// The maintenance page and the side bar's backup button: the proposed file name and folder,
// the messages of success and failure, the restore warning with both answers, a refused
// restore that leaves the database working, and the end of the program after a restore.

#include "tests/support/AppFixture.h"

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "data/Backup.h"
#include "maintenance/MaintenancePage.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;

namespace tevtest {
namespace {

class BackupRestoreTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(backups.isValid());
        OpenDatabase();
        AddCustomer(u"张三"_s);
    }

    void AddCustomer(const QString& name) {
        Sql(u"INSERT INTO Customer (CustomerName) VALUES (?)"_s, {name});
    }
    static QStringList CustomersIn(const QString& path) {
        Database d;
        EXPECT_TRUE(d.Open(path)) << d.LastError().toStdString();
        ResultSet rs;
        EXPECT_TRUE(
            d.Query(u"SELECT CustomerName FROM Customer WHERE CustomerName <> '' ORDER BY 1"_s, {}, &rs));
        QStringList names;
        for (rs.First(); !rs.Eof(); rs.Next())
            names << rs.AsString(u"CustomerName"_s);
        return names;
    }
    QToolButton* Button(const QString& name) { return Find<QToolButton>(FormMain, name); }

    QTemporaryDir backups;
};

TEST_F(BackupRestoreTest, PageHoldsTheTwoButtonsAndTheSideBarButtonIsAvailable) {
    auto* group = Find<QGroupBox>(FormMain->TabSheet6, u"GroupBox1"_s);
    EXPECT_EQ(group->title(), u"帐套数据操作"_s);
    EXPECT_EQ(Find<QToolButton>(group, u"SpeedButtonSave"_s)->text(), u"备份数据"_s);
    EXPECT_EQ(Find<QToolButton>(group, u"SpeedButtonLoad"_s)->text(), u"恢复数据"_s);
    EXPECT_TRUE(FormMain->ActionButtonSave2->isEnabled());
}

TEST_F(BackupRestoreTest, BackupProposesTodaysNameOnTheDesktopAndReplacesAnEarlierBackup) {
    const QString target = backups.path() + u"/Corvina中介软件2024-3-15.mdb"_s;
    ui.ExpectSaveFile(target).ExpectMessage(u"恭喜您，数据库备份成功"_s);
    FormMain->ActionButtonSave2->click();
    ASSERT_EQ(ui.History().front().kind, Shown::SaveFile);
    EXPECT_EQ(ui.History().front().startPath, GetDesktopPath() + u"/Corvina中介软件2024-3-15.mdb"_s);
    EXPECT_EQ(CustomersIn(target), QStringList{u"张三"_s});

    // The same name again the same day: replaced, no further question.
    AddCustomer(u"李四"_s);
    ui.ExpectSaveFile(target).ExpectMessage(u"恭喜您，数据库备份成功"_s);
    Button(u"SpeedButtonSave"_s)->click();
    EXPECT_EQ(CustomersIn(target), (QStringList{u"张三"_s, u"李四"_s}));

    // A name typed without an extension gets ".mdb"; a cancelled dialog writes nothing.
    ui.ExpectSaveFile(backups.path() + u"/月底"_s).ExpectMessage(u"恭喜您，数据库备份成功"_s);
    Button(u"SpeedButtonSave"_s)->click();
    ui.ExpectSaveFile(QString());
    Button(u"SpeedButtonSave"_s)->click();
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{u"Corvina中介软件2024-3-15.mdb"_s, u"月底.mdb"_s}));
}

TEST_F(BackupRestoreTest, FailedBackupShowsTheErrorNumber) {
    const QString target = backups.path() + u"/gone/b.mdb"_s;
    CopyFailure expected;
    ASSERT_FALSE(BackupDatabase(ShareDM->ADOConnection1, target, &expected));
    ui.ExpectSaveFile(target).ExpectMessage(
        u"数据库备份失败，失败号为：%1\n%2"_s.arg(expected.code).arg(expected.reason));
    Button(u"SpeedButtonSave"_s)->click();
    EXPECT_NE(expected.code, 0);
    // The reason is said in Chinese; the engine's English words go to the log.
    EXPECT_EQ(expected.kind, DbError::NotFound);
    EXPECT_EQ(expected.reason, u"文件或文件夹不存在"_s);
}

TEST_F(BackupRestoreTest, RestoreWarningNoOrCancelChangesNothing) {
    const QByteArray before = [&] {
        QFile f(DbPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ui.ExpectYesNo(u"数据库恢复将导致当前数据全部丢失，是否继续？"_s, u"恢复警告"_s, false);
    Button(u"SpeedButtonLoad"_s)->click();
    ui.ExpectYesNo(u"数据库恢复将导致当前数据全部丢失，是否继续？"_s, u"恢复警告"_s, true)
        .ExpectOpenFile(QString());
    Button(u"SpeedButtonLoad"_s)->click();
    EXPECT_EQ(ui.History().back().startPath, GetDesktopPath());

    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(ShareDM->ADOConnection1.IsOpen());
    EXPECT_EQ(QDir(dir.path()).entryList({u"Tevrano.mdb*"_s}, QDir::Files), QStringList{u"Tevrano.mdb"_s});
}

TEST_F(BackupRestoreTest, RefusedRestoreKeepsTheProgramGoingOnTheSameDatabase) {
    const QString notOurs = backups.path() + u"/notes.mdb"_s;
    {
        QFile f(notOurs);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("just some text that happens to end in .mdb");
    }
    CopyFailure expected;
    {
        Database probe;
        ASSERT_TRUE(probe.Open(DbPath()));
        ASSERT_FALSE(RestoreDatabase(probe, notOurs, &expected));
    }
    FormMain->show();
    ui.ExpectYesNo(u"数据库恢复将导致当前数据全部丢失，是否继续？"_s, u"恢复警告"_s, true)
        .ExpectOpenFile(notOurs)
        .ExpectMessage(u"数据库恢复失败，失败号为：%1\n%2"_s.arg(expected.code).arg(expected.reason));
    Button(u"SpeedButtonLoad"_s)->click();

    EXPECT_TRUE(FormMain->isVisible());
    ASSERT_TRUE(ShareDM->ADOConnection1.IsOpen());
    AddCustomer(u"李四"_s);
    EXPECT_EQ(CustomersIn(DbPath()), (QStringList{u"张三"_s, u"李四"_s}));
}

TEST_F(BackupRestoreTest, RestoreReplacesTheDatabaseAndEndsTheProgram) {
    const QString backup = backups.path() + u"/b.mdb"_s;
    ASSERT_TRUE(BackupDatabase(ShareDM->ADOConnection1, backup));
    AddCustomer(u"备份之后"_s);

    FormMain->show();
    ui.ExpectYesNo(u"数据库恢复将导致当前数据全部丢失，是否继续？"_s, u"恢复警告"_s, true)
        .ExpectOpenFile(backup)
        .ExpectMessage(u"恭喜您，数据库恢复成功，请重新启动软件"_s);
    Button(u"SpeedButtonLoad"_s)->click();

    EXPECT_FALSE(FormMain->isVisible()) << "the main window closes, which ends the program";
    EXPECT_FALSE(ShareDM->ADOConnection1.IsOpen());
    EXPECT_EQ(CustomersIn(DbPath()), QStringList{u"张三"_s});
    EXPECT_EQ(CustomersIn(DbPath() + u".bak"_s), (QStringList{u"备份之后"_s, u"张三"_s}));
}

} // namespace
} // namespace tevtest
