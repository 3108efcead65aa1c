#include "tests/support/AppFixture.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "app/Forms.h"
#include "app/ShareDM.h"
#include "data/Schema.h"
#include "ui/Globals.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tevtest {

void AppFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    const QString bin = QString::fromUtf8(TEV_BIN_DIR);
    for (const QString& sub : {u"Res"_s, u"Faces"_s, u"Frf"_s})
        QFile::link(bin + u"/"_s + sub, dir.path() + u"/"_s + sub);
    QString error;
    ASSERT_TRUE(tev::CreateEmptyDatabase(DbPath(), &error)) << error.toStdString();

    tev::ProgramDir = dir.path() + u"/"_s;
    tev::DataDir = tev::ProgramDir;
    tev::IniFileName = tev::DataDir + u"Tevrano.ini"_s;
    for (QString* s : {&tev::CurrentRole, &tev::CurrentUser, &tev::CurrentRange, &tev::CustomerFilter,
                       &tev::AccountFilter, &tev::BillFilter, &tev::VoucherFilter})
        s->clear();
    tev::InstallUi(&ui);
    tev::CreateForms();
}

void AppFixture::TearDown() {
    tev::DestroyForms();
    ui.VerifyAllUsed();
    tev::InstallUi(nullptr);
}

QString AppFixture::DbPath() const {
    return dir.path() + u"/Tevrano.mdb"_s;
}

void AppFixture::OpenDatabase() {
    ASSERT_TRUE(tev::ShareDM->ADOConnection1.Open(DbPath()))
        << tev::ShareDM->ADOConnection1.LastError().toStdString();
}

void AppFixture::Sql(const QString& sql, const QVariantList& args) {
    ASSERT_TRUE(tev::ShareDM->ADOConnection1.Query(sql, args))
        << sql.toStdString() << ": " << tev::ShareDM->ADOConnection1.LastError().toStdString();
}

QVariant AppFixture::Scalar(const QString& sql, const QVariantList& args) {
    tev::ResultSet rs;
    EXPECT_TRUE(tev::ShareDM->ADOConnection1.Query(sql, args, &rs)) << sql.toStdString();
    return rs.IsEmpty() ? QVariant() : rs.At(0, 0);
}

void AppFixture::AddSalesman(const QString& name, const QString& key, const QString& range,
                             const QString& picture) {
    Sql(u"UPDATE Power SET PowerName = ?, PowerKey = ?, PowerRange = ?, PowerPicture = ? WHERE PowerIndex = "
        "(SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName = '')"_s,
        {name, key, range, picture.isEmpty() ? u"Faces/3.bmp"_s : picture});
}

void AppFixture::ExpectSignIn(const QString& name, const QString& password) {
    ui.ExpectModal<tev::TFormLogin>(u"FormLogin"_s, [name](tev::TFormLogin* f) {
        const int i = f->ComboBox1->findText(name);
        ASSERT_GE(i, 0) << "no account " << name.toStdString();
        f->ComboBox1->setCurrentIndex(i);
        f->Login->click();
    });
    ui.ExpectModal<tev::TFormAsk>(u"FormAsk"_s, [password](tev::TFormAsk* f) {
        f->Edit1->setText(password);
        f->BitBtn1->click();
    });
}

} // namespace tevtest
