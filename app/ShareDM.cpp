#include "app/ShareDM.h"

#include "access/AskForm.h"
#include "app/Forms.h"
#include "rules/PublicFunction.h"
#include "ui/Ui.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace tev {

TShareDataModule* ShareDM = nullptr;

TShareDataModule::TShareDataModule()
    : ADOQueryTemp(u"ADOQueryTemp"_s, &ADOConnection1), ADOQueryTemp2(u"ADOQueryTemp2"_s, &ADOConnection1),
      ADOQueryTemp3(u"ADOQueryTemp3"_s, &ADOConnection1) {}

void TShareDataModule::ShowFailure(QWidget* parent, const QString& operation) {
    LogEngineError(operation, ADOConnection1.LastError());
    const QString reason = ReasonText(ADOConnection1.LastErrorKind());
    TheUi().Message(parent, reason.isEmpty() ? operation : operation + u"\n"_s + reason);
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
    combo->clear();
    if (addAll) combo->addItem(u"所有"_s);
    if (!ShareDM->OpenSql(query, sql, u"LoadCombo失败"_s)) {
        // The list stops here, with nothing selected: adding "所有" must not look like a choice.
        combo->setCurrentIndex(-1);
        return;
    }
    QStringList items;
    for (query.First(); !query.Eof(); query.Next())
        items << query.AsString(column);
    combo->addItems(items);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void SelectComboItem(QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i) == text) combo->setCurrentIndex(i);
}

void SetComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
}

bool HasSelection(const QComboBox* combo) {
    return combo->currentIndex() >= 0 && !combo->currentText().isEmpty();
}

} // namespace tev
