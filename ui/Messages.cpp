#include "ui/Messages.h"

#include "ui/Ui.h"

namespace tev {

void ShowOutcome(QWidget* parent, const Outcome& outcome) {
    TheUi().Message(parent, outcome.Text());
}

} // namespace tev
