#pragma once
// The modification password: demanded before a stored document, account or customer is
// changed or deleted.

#include <QString>

namespace tev {

// Asks for the password (the "修改" row of Power) through the prompt dialog, masked; true
// when the guarded operation may go ahead. An empty password asks nothing.
bool AskModifyPassword(const QString& caption, const QString& prompt, const QString& initialText);

} // namespace tev
