#include "app/ShareDM.h"

#include "access/AskForm.h"
#include "app/Forms.h"
#include "rules/PublicFunction.h"
#include "ui/Combo.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace tev {

TShareDataModule* ShareDM = nullptr;

TShareDataModule::TShareDataModule()
    : ADOQueryTemp(u"ADOQueryTemp"_s, &ADOConnection1), ADOQueryTemp2(u"ADOQueryTemp2"_s, &ADOConnection1),
      ADOQueryTemp3(u"ADOQueryTemp3"_s, &ADOConnection1) {
    SetDb(&ADOConnection1);
}

TShareDataModule::~TShareDataModule() {
    SetDb(nullptr);
}

void TShareDataModule::ShowFailure(QWidget* parent, const QString& operation) {
    ShowOutcome(parent, Outcome::Fail(operation, ADOConnection1));
}

bool TShareDataModule::OpenSql(Query& query, const QString& sql, const QString& failureMessage) {
    if (!query.Db()) query.SetDatabase(&ADOConnection1);
    if (query.Open(sql)) return true;
    LogEngineError(failureMessage, query.Db()->LastError());
    query.Close();
    TheUi().Message(nullptr, failureMessage);
    return false;
}

int TShareDataModule::ExecSql(Query& query, const QString& sql) {
    if (!query.Db()) query.SetDatabase(&ADOConnection1);
    query.Close();
    const int affected = query.Db()->Execute(sql);
    if (affected < 0) {
        TheUi().Message(nullptr, u"SQL命令执行出错"_s);
        return 0;
    }
    return affected;
}

bool TShareDataModule::AskModifyPassword(const QString& caption, const QString& prompt,
                                         const QString& initialText) {
    const QString sql = u"Select * From Power Where PowerName = '修改'"_s;
    const QString failure = u"数据库打开失败"_s;
    if (!OpenSql(ADOQueryTemp, sql, failure)) return false;
    if (ADOQueryTemp.RecordCount() > 0) {
        ADOQueryTemp.First();
        if (ADOQueryTemp.AsString(u"PowerKey"_s).isEmpty()) return true;
    }

    FormAsk->AskCaption = caption;
    FormAsk->AskPrompt = prompt;
    FormAsk->AskValue = initialText;
    FormAsk->SetPasswordChar(u'#');
    const int result = TheUi().ShowModal(FormAsk);
    // The next, unrelated use of the dialog shows plain text.
    FormAsk->SetPasswordChar(QChar());
    if (result != QDialog::Accepted) return false;

    // The password is read again: the first read only decided whether to ask.
    if (!OpenSql(ADOQueryTemp, sql, failure)) return false;
    if (ADOQueryTemp.RecordCount() == 0) {
        TheUi().Message(nullptr, u"数据库出错，资料修改密码被删除"_s);
        return false;
    }
    ADOQueryTemp.First();
    if (FormAsk->AskValue == ADOQueryTemp.AsString(u"PowerKey"_s)) return true;
    TheUi().Message(nullptr, u"密码错误，请重新操作"_s);
    return false;
}

QString TShareDataModule::NextSerialNumber(const QString& number) const {
    return tev::NextSerialNumber(number);
}

bool TShareDataModule::IsValidSerialNumber(const QString& number) const {
    return tev::IsValidSerialNumber(number);
}

QString OptionListStatement(int type) {
    return u"Select * From Parameter Where ParameterType = %1 Order By ParameterIndex"_s.arg(type);
}

void LoadCombo(QComboBox* combo, Query& query, const QString& sql, bool addAll, const QString& column) {
    if (!ShareDM->OpenSql(query, sql, u"LoadCombo失败"_s)) {
        ClearCombo(combo, addAll);
        return;
    }
    QStringList items;
    for (query.First(); !query.Eof(); query.Next())
        items << query.AsString(column);
    FillCombo(combo, items, addAll);
}

} // namespace tev
