#pragma once
// The two-button choosers that start a new document of one kind or the other.

#include <QString>

class QAction;
class QToolButton;
class QWidget;

namespace tev {

// A large picture button for a chooser, driven by its action.
QToolButton* ChooserButton(QWidget* chooser, const QString& name, QAction* action);
// Lays the two buttons side by side and fixes the chooser's size to them.
void LayOutChooser(QWidget* chooser, QToolButton* first, QToolButton* second);

} // namespace tev
