// Failures speak Chinese: the box names what failed and why in words a user can act on; the
// engine's own (English) text goes to the log beside the database. Another program holding the
// database and a full disk leave the editors open with what was typed and write nothing; the
// same save goes through once the lock is let go or there is room again.

#include "tests/ui/DocumentFixture.h"

#include "tests/support/FaultVfs.h"

#include "bills/BuySellForm.h"
#include "cards/AccountCards.h"
#include "customers/CustomerForm2.h"
#include "data/Errors.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <iostream>

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
    // Every row the editors, the numbers and the report pool write, as text.
    QString Stored() {
        QString all;
        for (const QString& table :
             {u"Customer"_s, u"Bill"_s, u"MoneyTable"_s, u"Setting"_s, u"PrintReport"_s}) {
            ResultSet rs;
            EXPECT_TRUE(Db().Query(u"SELECT * FROM %1 ORDER BY 1"_s.arg(table), {}, &rs));
            for (int r = 0; r < rs.RecordCount(); ++r)
                for (int c = 0; c < rs.Columns().size(); ++c)
                    all += rs.At(r, c).toString() + u'|';
        }
        return all;
    }
    // A new customer and a new sales bill typed into their editors, not yet saved.
    void TypeNewCustomerAndBill(const QString& name) {
        FormCustomer2->EditMode = 0;
        ASSERT_TRUE(FormCustomer2->RunFormShow());
        FormCustomer2->CustomerName->setText(name);
        FormCustomer2->CustomerRemark->setText(u"老客户介绍"_s);
        FormBuySell->OpenMode = OpenMode::New;
        FormBuySell->DocKind = BillKind::Sales;
        FormBuySell->CurrentBill = 1;
        ASSERT_TRUE(FormBuySell->RunFormShow());
        FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
        FormBuySell->Edit2->setText(u"500"_s);
        FormBuySell->Edit3->setText(u"首付"_s);
    }
    // Both editors refused and kept what was typed.
    int EditorsKeptTheirInput(const QString& name) {
        int kept = 0;
        if (FormCustomer2->result() != QDialog::Accepted && FormCustomer2->CustomerName->text() == name &&
            FormCustomer2->CustomerRemark->text() == u"老客户介绍"_s)
            ++kept;
        if (FormBuySell->result() != QDialog::Accepted &&
            FormBuySell->ComboBox5->currentText() == u"杭州远洋"_s &&
            FormBuySell->Edit2->text() == u"500"_s && FormBuySell->Edit3->text() == u"首付"_s)
            ++kept;
        return kept;
    }
    // Saves both editors, each expecting its message.
    void SaveBoth(const QString& customerMessage, const QString& billMessage) {
        ui.ExpectMessage(customerMessage);
        FormCustomer2->BitBtn1->click();
        ui.ExpectMessage(billMessage);
        FormBuySell->BitBtn1->click();
    }
    bool Intact() { return Scalar(u"PRAGMA integrity_check"_s).toString() == u"ok"_s; }

    // Made before the database is opened, so that the program's connection runs on it.
    tevtest::FaultVfs disk;
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

TEST_F(FailureMessagesTest, ABusyDatabaseKeepsTheEditorsOpenWithWhatWasTypedAndSavesOnceLetGo) {
    // A short wait, so that the test does not sit out the program's five seconds.
    Db().SetBusyTimeout(100);
    AddCustomer(u"杭州远洋"_s);
    int tried = 0, refused = 0, kept = 0, savedAfter = 0;
    // IMMEDIATE lets the program read but not write; EXCLUSIVE lets it do neither.
    for (const char* mode : {"IMMEDIATE", "EXCLUSIVE"}) {
        const QString name = u"大客户"_s + QString::fromLatin1(mode);
        TypeNewCustomerAndBill(name);
        const QString before = Stored();
        {
            tevtest::OtherProgramLock other(DbPath(), mode);
            ASSERT_TRUE(other.Held()) << mode;
            SaveBoth(u"数据库正忙，请稍后再试"_s, u"数据库正忙，请稍后再试"_s);
            tried += 2;
            refused += 2;
        }
        const int keptNow = EditorsKeptTheirInput(name);
        EXPECT_EQ(keptNow, 2) << mode;
        kept += keptNow;
        EXPECT_EQ(Stored(), before) << mode;

        // Let go: the same windows save what they hold.
        SaveBoth(u"客户　%1　新增成功"_s.arg(name), u"单据新增成功"_s);
        tried += 2;
        EXPECT_EQ(FormCustomer2->result(), QDialog::Accepted);
        EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
        savedAfter += Scalar(u"SELECT COUNT(*) FROM Customer WHERE CustomerName = ? AND CustomerRemark = ?"_s,
                             {name, u"老客户介绍"_s})
                          .toInt();
        savedAfter += Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillIndex = ? AND BillSum = 500"_s,
                             {FormBuySell->CurrentBill})
                          .toInt();
    }
    EXPECT_EQ(savedAfter, 4);
    EXPECT_TRUE(Intact());
    std::cout << "busy: saves tried " << tried << ", refused " << refused << ", input kept " << kept
              << ", saved after release " << savedAfter << std::endl;
}

TEST_F(FailureMessagesTest, AFullDiskRefusesSavesAndBackupsAndAllWorksOnceThereIsRoom) {
    AddCustomer(u"杭州远洋"_s);
    QTemporaryDir backups;
    ASSERT_TRUE(backups.isValid());
    const QString target = backups.path() + u"/月底.mdb"_s;
    TypeNewCustomerAndBill(u"大客户"_s);
    const QString before = Stored();

    disk.SetRoom(0);
    SaveBoth(u"数据保存失败\n磁盘已满"_s, u"数据保存失败\n磁盘已满"_s);
    ui.ExpectSaveFile(target).ExpectMessage(u"数据库备份失败，失败号为：13\n磁盘已满"_s);
    FormMain->ActionButtonSave2->click();
    const int refused = disk.RefusedWrites();
    EXPECT_GE(refused, 3);
    const int kept = EditorsKeptTheirInput(u"大客户"_s);
    EXPECT_EQ(kept, 2);
    // No backup under its name, nor the copy it was being written as.
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    disk.SetRoom(-1);
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(Intact());
    SaveBoth(u"客户　大客户　新增成功"_s, u"单据新增成功"_s);
    ui.ExpectSaveFile(target).ExpectMessage(u"恭喜您，数据库备份成功"_s);
    FormMain->ActionButtonSave2->click();
    EXPECT_EQ(Count(u"Customer"_s), 3); // the reserved row, 杭州远洋, 大客户
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillSum = 500"_s).toInt(), 1);
    EXPECT_TRUE(QFileInfo(target).isFile());
    std::cout << "full disk: writes refused " << refused << ", editors kept input " << kept
              << ", backup files left 0; after room: customers " << Count(u"Customer"_s) - 1 << ", bills "
              << Count(u"Bill"_s) - 1 << ", backup written " << QFileInfo(target).isFile() << std::endl;
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
