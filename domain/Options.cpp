#include "domain/Options.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace tev {

Result<std::optional<qint64>> FindOption(Database& db, int type, const QString& text) {
    ResultSet rs;
    // The text goes in quoted, so an option with a quote is looked up like any other.
    if (!db.Select(
            u"Select * From Parameter Where (ParameterType =  %1) And (ParameterValue = '%2')"_s.arg(type)
                .arg(SqlText(text)),
            rs))
        return Outcome::Fail(u"读入帐款参数失败"_s, db);
    if (rs.IsEmpty()) return std::optional<qint64>();
    rs.First();
    return std::optional<qint64>(rs.AsInteger(u"ParameterIndex"_s));
}

Outcome AddOption(Database& db, int type, const QString& text) {
    if (db.Insert(u"Parameter"_s, {{u"ParameterType"_s, type}, {u"ParameterValue"_s, text}}) < 0)
        return Outcome::Fail(u"数据保存失败"_s, db);
    return Outcome::Ok();
}

Outcome ChangeOption(Database& db, qint64 key, const QString& text) {
    const int rows = db.Update(u"Parameter"_s, {{u"ParameterValue"_s, text}}, u"ParameterIndex = ?"_s, {key});
    if (rows < 0) return Outcome::Fail(u"数据保存失败"_s, db);
    if (rows == 0) return Outcome::Gone(u"该参数已经被删除"_s);
    return Outcome::Ok();
}

Outcome DeleteOption(Database& db, qint64 key) {
    const int rows = db.Delete(u"Parameter"_s, u"ParameterIndex = ?"_s, {key});
    if (rows < 0) return Outcome::Fail(u"数据删除失败"_s, db);
    if (rows == 0) return Outcome::Gone(u"该记录已不存在"_s);
    return Outcome::Ok();
}

} // namespace tev
