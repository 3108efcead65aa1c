// One copy of the program per database: a second start on a database in use is turned away,
// a lock left by a killed copy is not.

#include "tests/support/FileHash.h"
#include "tests/support/AppFixture.h"

#include "access/LoginForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "data/DatabaseLock.h"
#include "ui/Globals.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::AppFixture;

namespace {

class SingleCopyTest : public AppFixture {
protected:
    // The real program on this fixture's folder, waiting at its sign-in.
    void StartFirstCopy() {
        first.setProgram(QString::fromUtf8(TEV_BIN_DIR) + u"/Tevrano"_s);
        first.setArguments({u"--data-dir"_s, dir.path()});
        first.setProcessChannelMode(QProcess::MergedChannels);
        first.start();
        ASSERT_TRUE(first.waitForStarted(5000));
        QDeadlineTimer deadline(15000);
        while (!QFileInfo::exists(DatabaseLock::LockPath(DbPath())) && !deadline.hasExpired())
            QThread::msleep(50);
        ASSERT_TRUE(QFileInfo::exists(DatabaseLock::LockPath(DbPath())))
            << "the first copy never took its lock: " << first.readAll().toStdString();
        ASSERT_EQ(first.state(), QProcess::Running);
    }

    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            first.kill();
            first.waitForFinished(5000);
        }
        AppFixture::TearDown();
    }

    QProcess first;
};

TEST_F(SingleCopyTest, ASecondCopyIsRefusedNamingTheHolderAndAKilledCopyLeavesNoLock) {
    StartFirstCopy();
    const QByteArray before = tevtest::FileHash(DbPath());
    ASSERT_FALSE(before.isEmpty());

    // The holder as the first copy is known from outside: this machine, its process number,
    // the program's name and the time its lock was written.
    const QString since = QFileInfo(DatabaseLock::LockPath(DbPath()))
                              .lastModified()
                              .toString(u"yyyy-MM-dd HH:mm:ss"_s);
    ui.ExpectMessage(u"数据库已被另一个正在运行的本软件使用：%1\n计算机：%2，程序：Tevrano（进程号 %3），自 %4 起。\n"
                     "请先关闭那个程序，再启动本软件。"_s
                         .arg(DbPath(), QSysInfo::machineHostName(), QString::number(first.processId()), since),
                     ProgramTitle, MsgIcon::Error);
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_NE(FormMain->ExitCode, 0);
    EXPECT_FALSE(ShareDM->ADOConnection1.IsOpen());
    EXPECT_EQ(tevtest::FileHash(DbPath()), before);

    // kill -9 leaves the lock file behind; the next start takes it over.
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(5000));
    ASSERT_TRUE(QFileInfo::exists(DatabaseLock::LockPath(DbPath())));
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) { f->Close->click(); });
    EXPECT_FALSE(FormMain->FormShow()); // cancelled sign-in
    EXPECT_EQ(FormMain->ExitCode, 0);
    EXPECT_TRUE(ShareDM->DatabaseLock1.Held());
}

TEST_F(SingleCopyTest, TheLockIsGivenBackWhenTheProgramEnds) {
    DatabaseLock other;
    QString refusal;
    ASSERT_TRUE(other.Take(DbPath(), &refusal));
    ui.ExpectMessage(u"数据库已被另一个正在运行的本软件使用：%1\n计算机：%2，程序：%3（进程号 %4），自 %5 起。\n"
                     "请先关闭那个程序，再启动本软件。"_s
                         .arg(DbPath(), QSysInfo::machineHostName(), QCoreApplication::applicationName(),
                              QString::number(QCoreApplication::applicationPid()),
                              QFileInfo(DatabaseLock::LockPath(DbPath()))
                                  .lastModified()
                                  .toString(u"yyyy-MM-dd HH:mm:ss"_s)));
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_NE(FormMain->ExitCode, 0);
    other.Release();
    EXPECT_FALSE(QFileInfo::exists(DatabaseLock::LockPath(DbPath())));
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) { f->Close->click(); });
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_TRUE(ShareDM->DatabaseLock1.Held());
}

} // namespace
