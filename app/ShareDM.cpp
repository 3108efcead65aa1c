#include "app/ShareDM.h"

#include "access/ModifyPassword.h"
#include "app/Forms.h"
#include "rules/PublicFunction.h"
#include "ui/Combo.h"
#include "ui/Globals.h"
#include "ui/GridExport.h"
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
    return tev::AskModifyPassword(caption, prompt, initialText);
}

void TShareDataModule::ExportGridToExcel(TDataGrid* grid) {
    tev::ExportGridToExcel(grid);
}

QString TShareDataModule::NextSerialNumber(const QString& number) const {
    return tev::NextSerialNumber(number);
}

bool TShareDataModule::IsValidSerialNumber(const QString& number) const {
    return tev::IsValidSerialNumber(number);
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
