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
    const QString reason = ReasonText(error);
    return reason.isEmpty() ? message : message + u"\n"_s + reason;
}

} // namespace tev
