#pragma once
// The four option lists that feed the editors' drop-down lists (1 business kinds, 2 money
// categories, 3 proofs, 4 progress states), kept by the administrator.

#include "domain/Outcome.h"

#include <QString>

#include <optional>

namespace tev {

class Database;

// The key of the option of a list with exactly this text; none when there is none. A
// failure carries "读入帐款参数失败".
Result<std::optional<qint64>> FindOption(Database& db, int type, const QString& text);
Outcome AddOption(Database& db, int type, const QString& text);
// Gone ("该参数已经被删除") when the option went away meanwhile.
Outcome ChangeOption(Database& db, qint64 key, const QString& text);
// Gone ("该记录已不存在") when the option went away meanwhile.
Outcome DeleteOption(Database& db, qint64 key);

} // namespace tev
