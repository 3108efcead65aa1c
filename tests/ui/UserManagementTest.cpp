// User management: the way in from the sign-in window behind the administrator's password,
// the salesman list and its fields, saving with the duplicate check, the hand-over after a
// rename (both answers), the picture chooser and the picture's frame.

#include "tests/ui/CustomerFixture.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "access/UserForm.h"
#include "access/UserForm2.h"
#include "app/ShareDM.h"
#include "data/Schema.h"
#include "ui/ClickableLabel.h"
#include "ui/DataGrid.h"
#include "ui/Globals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::CustomerFixture;

namespace {

const QString kHandOverQuestion = u"业务员名字已改变，是否把旧业务员数据移交给新业务员管理？"_s;

class UserManagementTest : public CustomerFixture {
protected:
    // Shows the user window as the seam does and lets act use it.
    void Manage(const std::function<void(TFormUser*)>& act) {
        ui.ExpectModal<TFormUser>(u"FormUser"_s, act);
        TheUi().ShowModal(FormUser);
    }
    qint64 IndexOf(const QString& name) {
        return Scalar(u"SELECT PowerIndex FROM Power WHERE PowerName = ?"_s, {name}).toLongLong();
    }
    QString Column(qint64 index, const QString& column) {
        return Scalar(u"SELECT %1 FROM Power WHERE PowerIndex = ?"_s.arg(column), {index}).toString();
    }
    // Makes the row of a salesman current, as a click on it would.
    static void Choose(TFormUser* f, qint64 index) {
        for (int row = 0; row < f->DBGridEh1->RowCount(); ++row)
            if (f->DBGridEh1->Model()->Value(row, u"PowerIndex"_s).toLongLong() == index) {
                f->DBGridEh1->SetCurrentRow(row);
                return;
            }
        FAIL() << "no row " << index;
    }
    int Owned(const QString& table, const QString& column, const QString& man) {
        return Scalar(u"SELECT COUNT(*) FROM %1 WHERE %2 = ?"_s.arg(table, column), {man}).toInt();
    }
    // 张三's business: two customers with a bill and a voucher each, and an account.
    void AddBusinessOf(const QString& man) {
        for (const QString& customer : {u"华夏公司"_s, u"东方公司"_s}) {
            AddCustomer(customer, 0, {}, man);
            AddBill(customer, 1000, QDate(2024, 3, 1), man);
            AddVoucher(customer, 400, QDate(2024, 3, 2), man);
        }
        AddCustomer(u"别家公司"_s, 0, {}, u"王五"_s);
        Sql(u"INSERT INTO Account (AccountName, AccountMan) VALUES ('张三的备用金', ?)"_s, {man});
    }
};

// The button is there, and the window opens only behind the administrator's password; the
// prompt is masked while it asks and plain again afterwards, whatever the answer.
TEST_F(UserManagementTest, EnteringAsksTheAdministratorsPassword) {
    EXPECT_TRUE(FormLogin->SpeedButton1->isVisibleTo(FormLogin));
    EXPECT_EQ(FormLogin->SpeedButton1->text(), u"权限管理"_s);
    const struct {
        QString stored;
        bool rowMissing;
        QString typed;
        bool confirmed;
        QString message;
        bool opens;
    } cases[] = {
        {u"adm"_s, false, u"adm"_s, true, {}, true},
        {u"adm"_s, false, u"ADM"_s, true, u"密码错误，请重新操作"_s, false},
        {u"adm"_s, false, u"adm"_s, false, {}, false},
        {u""_s, false, u""_s, true, {}, true},
        {u""_s, true, u""_s, true, u"数据库出错，资料修改密码被删除"_s, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + (c.rowMissing ? " (row missing)" : ""));
        if (c.rowMissing)
            Sql(u"DELETE FROM Power WHERE PowerName = '管理员'"_s);
        else
            Sql(u"UPDATE Power SET PowerKey = ? WHERE PowerName = '管理员'"_s, {c.stored});
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [&c](TFormAsk* a) {
            EXPECT_EQ(a->windowTitle(), u"人员管理登录"_s);
            EXPECT_EQ(a->Label1->text(), u"请输入管理员密码"_s);
            EXPECT_TRUE(a->Edit1->text().isEmpty());
            EXPECT_EQ(a->PasswordChar(), u'#');
            a->Edit1->setText(c.typed);
            (c.confirmed ? a->BitBtn1 : a->BitBtn2)->click();
        });
        if (!c.message.isEmpty()) ui.ExpectMessage(c.message);
        bool opened = false;
        if (c.opens)
            ui.ExpectModal<TFormUser>(u"FormUser"_s, [&opened](TFormUser* f) {
                opened = true;
                EXPECT_EQ(f->DBGridEh1->RowCount(), ShippedSalesmanSlots);
                f->Button2->click();
            });
        FormLogin->SpeedButton1->click();
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(FormAsk->PasswordChar(), QChar());
        EXPECT_TRUE(ui.AllUsed());
    }
}

TEST_F(UserManagementTest, TheCurrentRowFillsTheFields) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；财务管理；"_s, u"Faces/7.bmp"_s);
    AddSalesman(u"李四"_s, u"abc"_s, u"财务管理；"_s, u"Faces/8.bmp"_s);
    Manage([&](TFormUser* f) {
        const QStringList captions = {u"编号"_s, u"业务员名称"_s, u"登录密码"_s, u"图片地址"_s,
                                      u"管理权限"_s};
        for (int i = 0; i < captions.size(); ++i)
            EXPECT_EQ(f->DBGridEh1->Model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
        // The list opens on its first row, in the order of PowerIndex.
        EXPECT_EQ(f->DBGridEh1->CurrentInteger(u"PowerIndex"_s), IndexOf(u"张三"_s));
        EXPECT_EQ(f->Edit1->text(), u"张三"_s);
        EXPECT_EQ(f->Edit2->text(), u"1234"_s);
        EXPECT_EQ(f->Edit2->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(f->Edit3->text(), u"Faces/7.bmp"_s);
        EXPECT_TRUE(f->Edit3->isReadOnly());
        EXPECT_TRUE(f->CheckBox1->isChecked());
        EXPECT_TRUE(f->CheckBox2->isChecked());
        EXPECT_FALSE(f->Image1->pixmap().isNull());

        f->Edit1->setText(u"typed, not saved"_s);
        Choose(f, IndexOf(u"李四"_s));
        EXPECT_EQ(f->Edit1->text(), u"李四"_s);
        EXPECT_EQ(f->Edit2->text(), u"abc"_s);
        EXPECT_FALSE(f->CheckBox1->isChecked());
        EXPECT_TRUE(f->CheckBox2->isChecked());
        Choose(f, IndexOf(u"张三"_s));
        EXPECT_EQ(f->Edit1->text(), u"张三"_s); // the typed text was discarded
        f->Button2->click();
        EXPECT_EQ(f->result(), QDialog::Rejected);
    });
    EXPECT_EQ(Column(IndexOf(u"张三"_s), u"PowerName"_s), u"张三"_s);
}

// The road of a departing salesman: renamed to his successor, who signs in with the new name
// and sees the customers; the accounts stay with the old name.
TEST_F(UserManagementTest, RenameWithHandOverGivesTheBusinessToTheNewName) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    const qint64 index = IndexOf(u"张三"_s);
    AddBusinessOf(u"张三"_s);
    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) { a->BitBtn1->click(); });
    ui.ExpectModal<TFormUser>(u"FormUser"_s, [&](TFormUser* f) {
        f->Edit1->setText(u"李四"_s);
        f->Edit2->setText(u"5678"_s);
        ui.ExpectYesNo(kHandOverQuestion, u"移交确认"_s, true);
        ui.ExpectMessage(u"业务员数据移交成功"_s);
        f->Button1->click();
        // The saved row is current again and shows what was stored.
        EXPECT_EQ(f->DBGridEh1->CurrentInteger(u"PowerIndex"_s), index);
        EXPECT_EQ(f->DBGridEh1->CurrentString(u"PowerName"_s), u"李四"_s);
        EXPECT_EQ(f->Edit1->text(), u"李四"_s);
        f->Button2->click();
    });
    FormLogin->RunFormShow();
    FormLogin->SpeedButton1->click();
    EXPECT_EQ(Column(index, u"PowerName"_s), u"李四"_s);
    EXPECT_EQ(Column(index, u"PowerKey"_s), u"5678"_s);
    for (const auto& [table, column] : {std::pair{u"Customer"_s, u"CustomerMan"_s},
                                        {u"Bill"_s, u"BillMan"_s},
                                        {u"MoneyTable"_s, u"MoneyMan"_s}}) {
        EXPECT_EQ(Owned(table, column, u"张三"_s), 0) << table.toStdString();
        EXPECT_EQ(Owned(table, column, u"李四"_s), 2) << table.toStdString();
    }
    EXPECT_EQ(Owned(u"Customer"_s, u"CustomerMan"_s, u"王五"_s), 1);
    EXPECT_EQ(Owned(u"Account"_s, u"AccountMan"_s, u"张三"_s), 1);
    // The sign-in list offers the new name at once.
    EXPECT_GE(FormLogin->ComboBox1->findText(u"李四"_s), 0);
    EXPECT_EQ(FormLogin->ComboBox1->findText(u"张三"_s), -1);

    ExpectSignIn(u"李四"_s, u"5678"_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(CurrentUser, u"李四"_s);
    EXPECT_EQ(VisibleTiles(), 2);
}

TEST_F(UserManagementTest, AnsweringNoKeepsTheNewNameAndLeavesTheRecords) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    const qint64 index = IndexOf(u"张三"_s);
    AddBusinessOf(u"张三"_s);
    Manage([&](TFormUser* f) {
        f->Edit1->setText(u"李四"_s);
        ui.ExpectYesNo(kHandOverQuestion, u"移交确认"_s, false);
        f->Button1->click();
    });
    EXPECT_EQ(Column(index, u"PowerName"_s), u"李四"_s);
    EXPECT_EQ(Owned(u"Customer"_s, u"CustomerMan"_s, u"张三"_s), 2);
    EXPECT_EQ(Owned(u"Bill"_s, u"BillMan"_s, u"张三"_s), 2);
    EXPECT_EQ(Owned(u"MoneyTable"_s, u"MoneyMan"_s, u"张三"_s), 2);
}

// A hand-over that fails is reported and changes nothing: neither the records nor the row's
// name, so that saving again is all it takes.
TEST_F(UserManagementTest, FailedHandOverIsReportedAndChangesNothing) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    const qint64 index = IndexOf(u"张三"_s);
    AddBusinessOf(u"张三"_s);
    Sql(u"CREATE TRIGGER refuse BEFORE UPDATE ON MoneyTable BEGIN SELECT RAISE(ABORT, 'x'); END"_s);
    Manage([&](TFormUser* f) {
        f->Edit1->setText(u"李四"_s);
        ui.ExpectYesNo(kHandOverQuestion, u"移交确认"_s, true);
        ui.ExpectMessage(u"数据库打开失败"_s);
        f->Button1->click();
        EXPECT_EQ(f->Edit1->text(), u"李四"_s); // still typed, for another try
    });
    EXPECT_EQ(Column(index, u"PowerName"_s), u"张三"_s);
    EXPECT_EQ(Owned(u"Customer"_s, u"CustomerMan"_s, u"张三"_s), 2);
    EXPECT_EQ(Owned(u"Bill"_s, u"BillMan"_s, u"张三"_s), 2);
    EXPECT_EQ(Owned(u"MoneyTable"_s, u"MoneyMan"_s, u"张三"_s), 2);
}

// Names are stored as typed, whatever they hold, and signed in with exactly so.
TEST_F(UserManagementTest, NamesAreStoredAsTypedAndNeverBreakAStatement) {
    const QStringList names = {u"O'Brien"_s, u" 张 三 "_s, QString(200, u'长'),
                               u"a'); DROP TABLE Bill; --"_s};
    for (int i = 0; i < names.size(); ++i)
        AddSalesman(u"占位%1"_s.arg(i), u""_s, u"业务管理；"_s);
    Manage([&](TFormUser* f) {
        for (int i = 0; i < names.size(); ++i) {
            Choose(f, IndexOf(u"占位%1"_s.arg(i)));
            f->Edit1->setText(names[i]);
            ui.ExpectYesNo(kHandOverQuestion, u"移交确认"_s, true);
            ui.ExpectMessage(u"业务员数据移交成功"_s);
            f->Button1->click();
            EXPECT_EQ(f->DBGridEh1->CurrentString(u"PowerName"_s), names[i]);
        }
    });
    FormLogin->RunFormShow();
    for (const QString& name : names) {
        EXPECT_GT(IndexOf(name), 0) << name.toStdString();
        EXPECT_GE(FormLogin->ComboBox1->findText(name), 0) << name.toStdString();
    }
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'Bill'"_s).toInt(), 1);
    ExpectSignIn(names[1], u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(CurrentUser, names[1]);
}

// With every other slot named, a name can be emptied: the row drops out of the sign-in list,
// and the hand-over to the empty name is offered.
TEST_F(UserManagementTest, EmptiedNameDropsOutOfTheSignInList) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    for (int i = 1; i < ShippedSalesmanSlots; ++i)
        AddSalesman(u"业务员%1"_s.arg(i), u""_s, u"业务管理；"_s);
    const qint64 index = IndexOf(u"张三"_s);
    Manage([&](TFormUser* f) {
        f->Edit1->clear();
        ui.ExpectYesNo(kHandOverQuestion, u"移交确认"_s, false);
        f->Button1->click();
    });
    EXPECT_EQ(Column(index, u"PowerName"_s), u""_s);
    FormLogin->RunFormShow();
    EXPECT_EQ(FormLogin->ComboBox1->findText(u"张三"_s), -1);
    EXPECT_EQ(FormLogin->ComboBox1->findText(u""_s), -1);
}

// A picture file missing from Faces/ shows an empty picture; the window works on.
TEST_F(UserManagementTest, MissingPictureFileShowsAnEmptyPicture) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s, u"Faces/gone.bmp"_s);
    AddSalesman(u"李四"_s, u"1234"_s, u"业务管理；"_s, u"Faces/8.bmp"_s);
    Manage([&](TFormUser* f) {
        EXPECT_EQ(f->Edit3->text(), u"Faces/gone.bmp"_s);
        EXPECT_TRUE(f->Image1->pixmap().isNull());
        Choose(f, IndexOf(u"李四"_s));
        EXPECT_FALSE(f->Image1->pixmap().isNull());
        Choose(f, IndexOf(u"张三"_s));
        EXPECT_TRUE(f->Image1->pixmap().isNull()); // not the previous row's picture
        f->Edit2->setText(u"9"_s);
        f->Button1->click();
    });
    EXPECT_EQ(Column(IndexOf(u"张三"_s), u"PowerKey"_s), u"9"_s);
    EXPECT_EQ(Column(IndexOf(u"张三"_s), u"PowerPicture"_s), u"Faces/gone.bmp"_s);
}

// Changing the password, the rights or the picture, or naming a free slot, asks nothing
// about a hand-over (the scripted seam fails on any question not expected).
TEST_F(UserManagementTest, SavingWithoutARenameAsksNothing) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；财务管理；"_s, u"Faces/7.bmp"_s);
    const qint64 index = IndexOf(u"张三"_s);
    const qint64 slot =
        Scalar(u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName = ''"_s)
            .toLongLong();
    Manage([&](TFormUser* f) {
        f->Edit2->setText(u"new's"_s);
        f->CheckBox1->setChecked(false);
        f->CheckBox2->setChecked(false);
        f->Button1->click();
        Choose(f, slot);
        f->Edit1->setText(u"王五"_s);
        f->CheckBox2->setChecked(true);
        f->Button1->click();
        EXPECT_EQ(f->DBGridEh1->CurrentInteger(u"PowerIndex"_s), slot);
    });
    EXPECT_EQ(Column(index, u"PowerKey"_s), u"new's"_s);
    EXPECT_EQ(Column(index, u"PowerRange"_s), u""_s); // neither box: an empty range
    EXPECT_EQ(Column(index, u"PowerPicture"_s), u"Faces/7.bmp"_s);
    EXPECT_EQ(Column(slot, u"PowerName"_s), u"王五"_s);
    EXPECT_EQ(Column(slot, u"PowerRange"_s), u"财务管理；"_s);
    FormLogin->RunFormShow();
    EXPECT_GE(FormLogin->ComboBox1->findText(u"王五"_s), 0);
}

TEST_F(UserManagementTest, DuplicateNameIsRefusedWithTheCursorOnTheName) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    const qint64 index = IndexOf(u"张三"_s);
    Manage([&](TFormUser* f) {
        for (const QString& name : {u"总经理"_s, u"修改"_s, u""_s}) {
            f->Edit1->setText(name);
            f->Edit2->setText(u"changed"_s);
            ui.ExpectMessage(u"名字有重复，请重新操作"_s);
            f->Button1->click();
            EXPECT_EQ(f->FocusedControl(), f->Edit1);
            EXPECT_EQ(f->Edit1->text(), name); // the typed name stays for correcting
        }
    });
    EXPECT_EQ(Column(index, u"PowerName"_s), u"张三"_s);
    EXPECT_EQ(Column(index, u"PowerKey"_s), u"1234"_s);
}

TEST_F(UserManagementTest, PictureIsChosenFromTheThirtyNinePictures) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s, u"Faces/7.bmp"_s);
    const qint64 index = IndexOf(u"张三"_s);
    Manage([&](TFormUser* f) {
        ui.ExpectModal<TFormUser2>(u"FormUser2"_s, [](TFormUser2* c) {
            EXPECT_EQ(c->PicturePath, u"Faces/7.bmp"_s);
            for (int n = 1; n <= TFormUser2::PictureCount; ++n) {
                auto* radio = tevtest::Find<QRadioButton>(c, u"RadioButton%1"_s.arg(n));
                EXPECT_EQ(radio->text(), u"头像%1"_s.arg(n));
                EXPECT_EQ(radio->isChecked(), n == 7);
                EXPECT_FALSE(tevtest::Find<QLabel>(c, u"Image%1"_s.arg(n))->pixmap().isNull()) << n;
            }
            // Clicking a picture checks its button.
            emit static_cast<ClickableLabel*>(c->Images[11])->clicked();
            EXPECT_TRUE(c->RadioButtons[11]->isChecked());
            EXPECT_FALSE(c->RadioButtons[6]->isChecked());
            c->BitBtn1->click();
        });
        emit f->Image1->clicked();
        EXPECT_EQ(f->Edit3->text(), u"Faces/12.bmp"_s);
        EXPECT_FALSE(f->Image1->pixmap().isNull());

        // Cancel keeps the picture.
        ui.ExpectModal<TFormUser2>(u"FormUser2"_s, [](TFormUser2* c) {
            c->RadioButtons[0]->setChecked(true);
            c->BitBtn2->click();
        });
        emit f->Image1->clicked();
        EXPECT_EQ(f->Edit3->text(), u"Faces/12.bmp"_s);
        f->Button1->click();
    });
    EXPECT_EQ(Column(index, u"PowerPicture"_s), u"Faces/12.bmp"_s);

    // A path that is none of the 39 leaves the button checked last time as it was.
    FormUser2->PicturePath = u"Faces/99.bmp"_s;
    ui.ExpectModal<TFormUser2>(u"FormUser2"_s, [](TFormUser2* c) {
        EXPECT_TRUE(c->RadioButtons[0]->isChecked());
        c->BitBtn1->click();
    });
    EXPECT_EQ(TheUi().ShowModal(FormUser2), QDialog::Accepted);
    EXPECT_EQ(FormUser2->PicturePath, u"Faces/1.bmp"_s);
}

TEST_F(UserManagementTest, PictureFrameLightsWhileTheMouseIsOverIt) {
    AddSalesman(u"张三"_s, u"1234"_s, u"业务管理；"_s);
    Manage([](TFormUser* f) {
        const auto fill = [f] {
            // Left of the picture, inside the frame's border.
            return f->Shape1->grab().toImage().pixelColor(4, f->Shape1->height() / 2);
        };
        const QColor plain = f->palette().color(QPalette::Base);
        EXPECT_EQ(fill(), plain);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(f->Shape1, &enter);
        EXPECT_EQ(fill(), QColor(0xA6, 0xCA, 0xF0));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(f->Shape1, &leave);
        EXPECT_EQ(fill(), plain);
    });
}

// A list that cannot be read is reported, and saving does nothing.
TEST_F(UserManagementTest, ListThatCannotBeOpenedStoresNothing) {
    Sql(u"ALTER TABLE Power RENAME TO PowerAway"_s);
    ui.ExpectModal<TFormUser>(u"FormUser"_s, [](TFormUser* f) {
        EXPECT_EQ(f->DBGridEh1->RowCount(), 0);
        f->Edit1->setText(u"李四"_s);
        f->Button1->click();
    });
    ui.ExpectMessage(u"数据库打开失败"_s); // while the window sets itself up
    TheUi().ShowModal(FormUser);
    Sql(u"ALTER TABLE PowerAway RENAME TO Power"_s);
    EXPECT_EQ(IndexOf(u"李四"_s), 0);
}

} // namespace
