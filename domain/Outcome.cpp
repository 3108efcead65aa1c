#include "domain/Outcome.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace tev {

Outcome Outcome::Fail(QString operation, const Database& db) {
    LogEngineError(operation, db.LastError());
    return {Failed, std::move(operation), db.LastErrorKind()};
}

QString Outcome::Text() const {
    if (kind != Failed) return message;
    const QString reason = ReasonText(error);
    return reason.isEmpty() ? message : message + u"\n"_s + reason;
}

} // namespace tev
