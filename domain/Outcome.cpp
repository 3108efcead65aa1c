#include "domain/Outcome.h"

#include "data/Database.h"
#include "data/Statement.h"

using namespace Qt::StringLiterals;

namespace tev {

Outcome Outcome::Fail(QString operation, const Database& db) {
    LogEngineError(operation, db.LastError());
    return {Failed, std::move(operation), db.LastErrorKind()};
}

Outcome Outcome::Fail(QString operation, const PreparedStatement& statement) {
    LogEngineError(operation, statement.LastError());
    return {Failed, std::move(operation), statement.LastErrorKind()};
}

QString Outcome::Text() const {
    if (kind != Failed) return message;
    // Another program holds the database: nothing failed that trying again would not mend,
    // and "…失败" would make the user believe the data lost.
    if (error == DbError::Busy) return ReasonText(error);
    const QString reason = ReasonText(error);
    return reason.isEmpty() ? message : message + u"\n"_s + reason;
}

} // namespace tev
