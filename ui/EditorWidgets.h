#pragma once
// The controls the document editors are built from, made the same way in every editor.

#include "ui/EditorPictures.h"

#include <QString>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace tev {

// A field caption, right-aligned beside its field.
QLabel* FieldLabel(QWidget* parent, const QString& text);
// A drop-down list; an editable one takes free text but never adds it to the list. Long
// items do not widen the window: the boxes share its fixed width.
QComboBox* FieldCombo(QWidget* parent, const QString& name, bool editable);
QLineEdit* FieldEdit(QWidget* parent, const QString& name);
// A date picker with a calendar, showing the system's short date format.
QDateEdit* FieldDate(QWidget* parent, const QString& name);
// One of the buttons along an editor's foot (确定, 删除, 取消), with its picture.
QPushButton* EditorButton(QWidget* parent, const QString& name, const QString& text, EditorIcon icon);
// A square picture button on the banner, driven by its action.
QToolButton* BannerButton(QWidget* banner, const QString& name, QAction* action, int x, int edge,
                          int iconSize);

} // namespace tev
