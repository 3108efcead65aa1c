#pragma once
// A statement prepared once and run for many rows: bulk writes (the demo business, the
// monthly report's rows) without preparing the same text again for every row.

#include "data/Errors.h"

#include <QString>
#include <QVariant>

#include <memory>

class QSqlQuery;

namespace tev {

class Database;

class PreparedStatement {
public:
    // sql is in the engine's own dialect with ? for the values. The first failure is kept
    // (LastError, with its kind for the user in LastErrorKind) and later runs do nothing.
    PreparedStatement(Database& db, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Runs with the values bound in order; the key of an inserted row, or -1.
    qint64 Run(const QVariantList& values);
    bool Failed() const { return !m_error.isEmpty(); }
    const QString& LastError() const { return m_error; }
    DbError LastErrorKind() const { return m_errorKind; }

private:
    void Fail();

    std::unique_ptr<QSqlQuery> m_query;
    QString m_error;
    DbError m_errorKind = DbError::None;
};

} // namespace tev
