#pragma once
// A named query on the one connection, reused by closing it and giving it a new
// statement, the way every window reads its rows.

#include "data/Database.h"

namespace tev {

class Query : public ResultSet {
public:
    explicit Query(QString name = {}, Database* db = nullptr) : m_name(std::move(name)), m_db(db) {}

    void SetDatabase(Database* db) { m_db = db; }
    Database* Db() const { return m_db; }
    const QString& Name() const { return m_name; }

    // Replaces the statement and opens it; on failure the query is closed and
    // LastError() holds the engine's text.
    bool Open(const QString& jetSql);
    void Close();
    bool Active() const { return m_active; }
    const QString& Sql() const { return m_sql; }
    QString LastError() const { return m_error; }

private:
    QString m_name;
    Database* m_db = nullptr;
    QString m_sql;
    QString m_error;
    bool m_active = false;
};

} // namespace tev
