// Failures speak Chinese: the box names what failed and why in words a user can act on; the
// engine's own (English) text goes to the log beside the database.

#include "tests/ui/DocumentFixture.h"

#include "cards/AccountCards.h"
#include "customers/CustomerForm2.h"
#include "data/Errors.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class FailureMessagesTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        SetEngineLog(dir.path() + u"/Tevrano.log"_s);
    }
    void TearDown() override {
        SetEngineLog({});
        DocumentFixture::TearDown();
    }
    QString Log() {
        QFile f(dir.path() + u"/Tevrano.log"_s);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

TEST(FailureReasons, EngineAndSystemCodesBecomeChineseReasons) {
    const struct {
        DbError kind;
        QString words;
    } table[] = {
        {ErrorFromEngineCode(5), u"数据库正忙，请稍后再试"_s},                 // SQLITE_BUSY
        {ErrorFromEngineCode(517), u"数据库正忙，请稍后再试"_s},               // SQLITE_BUSY_SNAPSHOT
        {ErrorFromEngineCode(13), u"磁盘已满"_s},                              // SQLITE_FULL
        {ErrorFromEngineCode(8), u"数据库文件或所在文件夹为只读，无法写入"_s}, // SQLITE_READONLY
        {ErrorFromEngineCode(26), u"文件不是本软件的数据库"_s},                // SQLITE_NOTADB
        {ErrorFromEngineCode(11), u"文件已损坏"_s},                            // SQLITE_CORRUPT
        {ErrorFromSystemError(ENOSPC), u"磁盘已满"_s},
        {ErrorFromSystemError(EACCES), u"没有写入权限"_s},
        {ErrorFromSystemError(EROFS), u"数据库文件或所在文件夹为只读，无法写入"_s},
        {ErrorFromSystemError(ENOENT), u"文件或文件夹不存在"_s},
        {ErrorFromEngineCode(1), u""_s}, // SQLITE_ERROR: no words that would help
    };
    for (const auto& row : table)
        EXPECT_EQ(ReasonText(row.kind), row.words);
    EXPECT_EQ(ErrorFromEngineCode(0), DbError::None);
    EXPECT_TRUE(ReasonText(DbError::None).isEmpty());
}

TEST_F(FailureMessagesTest, AFullDiskIsSaidInChineseAndNothingIsWritten) {
    // The file may not grow by another page: the next row that needs one meets a full disk.
    const int pages = Scalar(u"PRAGMA page_count"_s).toInt();
    Sql(u"PRAGMA max_page_count = %1"_s.arg(pages));
    const int before = Count(u"Customer"_s);
    FormCustomer2->EditMode = 0;
    ASSERT_TRUE(FormCustomer2->RunFormShow());
    FormCustomer2->CustomerName->setText(u"大客户"_s);
    FormCustomer2->CustomerRemark->setText(QString(20000, u'备'));
    ui.ExpectMessage(u"数据保存失败\n磁盘已满"_s);
    FormCustomer2->BitBtn1->click();
    EXPECT_NE(FormCustomer2->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Customer"_s), before);
    // The typed data stays in the window, and the engine's words are in the log.
    EXPECT_EQ(FormCustomer2->CustomerName->text(), u"大客户"_s);
    EXPECT_TRUE(Log().contains(u"数据保存失败"_s) && Log().contains(u"full"_s)) << Log().toStdString();

    // Once there is room again, the same save works.
    Sql(u"PRAGMA max_page_count = 1073741823"_s);
    ui.ExpectMessage(u"客户　大客户　新增成功"_s);
    FormCustomer2->BitBtn1->click();
    EXPECT_EQ(Count(u"Customer"_s), before + 1);
}

TEST_F(FailureMessagesTest, NoEnglishReachesABox) {
    // A refusal inside the engine (here a trigger) has no better words than the general one.
    Sql(u"CREATE TRIGGER refuse BEFORE INSERT ON Account BEGIN SELECT RAISE(ABORT, 'constraint failed'); END"_s);
    ui.ExpectModal(u"FormAccount2"_s, [](QDialog* d) {
        tevtest::Find<QLineEdit>(d, u"Edit1"_s)->setText(u"新帐户"_s);
        tevtest::Find<QLineEdit>(d, u"Edit2"_s)->setText(u"10"_s);
        tevtest::Find<QPushButton>(d, u"SpeedButton1"_s)->click();
    });
    ui.ExpectMessage(u"数据保存失败"_s);
    static_cast<AccountCardPage*>(FormMain->AccountCards)->NewAccountClick();
    for (const QString& shown : ui.Messages())
        EXPECT_FALSE(QRegularExpression(u"[A-Za-z]{3,}"_s).match(shown).hasMatch()) << shown.toStdString();
    EXPECT_TRUE(Log().contains(u"constraint failed"_s)) << Log().toStdString();
}

} // namespace
