#include "domain/Lists.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace tev {

QString OptionListStatement(int type) {
    return u"Select * From Parameter Where ParameterType = %1 Order By ParameterIndex"_s.arg(type);
}

Result<QStringList> ColumnTexts(Database& db, const QString& statement, const QString& column) {
    ResultSet rs;
    if (!db.Select(statement, rs)) return Outcome::Fail(u"LoadCombo失败"_s, db);
    QStringList texts;
    for (rs.First(); !rs.Eof(); rs.Next())
        texts << rs.AsString(column);
    return texts;
}

Result<QStringList> OptionTexts(Database& db, int type) {
    return ColumnTexts(db, OptionListStatement(type), u"ParameterValue"_s);
}

Result<QStringList> CustomerNames(Database& db, const QString& customerFilter) {
    return ColumnTexts(db, u"Select * From Customer Where (CustomerIndex > 1)"_s + customerFilter,
                       u"CustomerName"_s);
}

Result<QStringList> AccountNames(Database& db, const QString& accountFilter) {
    return ColumnTexts(db, u"Select * From Account Where (AccountIndex > 1)"_s + accountFilter,
                       u"AccountName"_s);
}

} // namespace tev
