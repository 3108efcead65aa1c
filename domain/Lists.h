#pragma once
// The texts the editors' and search forms' drop-down lists offer.

#include "domain/Outcome.h"

#include <QStringList>

namespace tev {

class Database;

// The options of one list (1 business kinds, 2 money categories, 3 proofs, 4 progress
// states) in the order they were entered, so that a new option comes last.
QString OptionListStatement(int type);
Result<QStringList> OptionTexts(Database& db, int type);
// The names of the customers the user may see (customerFilter: the salesman's CustomerFilter).
Result<QStringList> CustomerNames(Database& db, const QString& customerFilter);
// The names of the accounts the user may see (accountFilter: the salesman's AccountFilter).
Result<QStringList> AccountNames(Database& db, const QString& accountFilter);
// One column of a statement as texts, in the statement's order; a failure carries
// "LoadCombo失败", the drop-down lists' own message.
Result<QStringList> ColumnTexts(Database& db, const QString& statement, const QString& column);

} // namespace tev
