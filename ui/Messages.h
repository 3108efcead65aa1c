#pragma once
// Showing what a domain operation answered.

#include "domain/Outcome.h"

class QWidget;

namespace tev {

// The outcome's message in a box (for a database failure with the reason on its own line).
void ShowOutcome(QWidget* parent, const Outcome& outcome);

} // namespace tev
