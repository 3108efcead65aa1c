#include "data/Statement.h"

#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace tev {

PreparedStatement::PreparedStatement(Database& db, const QString& sql)
    : m_query(std::make_unique<QSqlQuery>(db.Connection())) {
    if (!m_query->prepare(sql)) Fail();
}

PreparedStatement::~PreparedStatement() = default;

qint64 PreparedStatement::Run(const QVariantList& values) {
    if (Failed()) return -1;
    // The text columns are NOT NULL: an absent text is stored as empty text.
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        const bool nullText = v.typeId() == QMetaType::QString && v.toString().isNull();
        m_query->bindValue(i, nullText ? QVariant(u""_s) : v);
    }
    if (!m_query->exec()) {
        Fail();
        return -1;
    }
    return m_query->lastInsertId().toLongLong();
}

void PreparedStatement::Fail() {
    if (!m_error.isEmpty()) return;
    const QSqlError error = m_query->lastError();
    m_error = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (m_error.isEmpty()) m_error = u"语句执行失败"_s;
    m_errorKind = ErrorFromEngineCode(error.nativeErrorCode().toInt());
    if (m_errorKind == DbError::None) m_errorKind = DbError::Other;
}

} // namespace tev
