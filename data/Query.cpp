#include "data/Query.h"

using namespace Qt::StringLiterals;

namespace tev {

bool Query::Open(const QString& jetSql) {
    Close();
    m_sql = jetSql;
    if (!m_db) {
        m_error = u"查询没有连接数据库"_s;
        return false;
    }
    ResultSet rs;
    if (!m_db->Select(jetSql, rs)) {
        m_error = m_db->LastError();
        return false;
    }
    static_cast<ResultSet&>(*this) = std::move(rs);
    m_active = true;
    return true;
}

void Query::Close() {
    static_cast<ResultSet&>(*this) = ResultSet();
    m_active = false;
    m_error.clear();
}

} // namespace tev
