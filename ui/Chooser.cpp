#include "ui/Chooser.h"

#include "ui/Form.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

namespace tev {

QToolButton* ChooserButton(QWidget* chooser, const QString& name, QAction* action) {
    auto* b = new QToolButton(chooser);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(48, 48));
    b->setFixedSize(120, 96);
    b->setFont(HeiFont(11));
    return b;
}

void LayOutChooser(QWidget* chooser, QToolButton* first, QToolButton* second) {
    auto* row = new QHBoxLayout(chooser);
    row->setContentsMargins(24, 20, 24, 20);
    row->setSpacing(24);
    row->addWidget(first);
    row->addWidget(second);
    row->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tev
