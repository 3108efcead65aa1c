#include "ui/EditorWidgets.h"

#include "ui/Form.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tev {

QLabel* FieldLabel(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QComboBox* FieldCombo(QWidget* parent, const QString& name, bool editable) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(6);
    return c;
}

QLineEdit* FieldEdit(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QDateEdit* FieldDate(QWidget* parent, const QString& name) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(u"yyyy-M-d"_s);
    return d;
}

QPushButton* EditorButton(QWidget* parent, const QString& name, const QString& text, EditorIcon icon) {
    auto* b = new QPushButton(DrawEditorIcon(icon, 20), text, parent);
    b->setObjectName(name);
    b->setIconSize(QSize(20, 20));
    b->setFixedSize(96, 32);
    b->setFont(HeiFont(10));
    b->setAutoDefault(false);
    return b;
}

QToolButton* BannerButton(QWidget* banner, const QString& name, QAction* action, int x, int edge,
                          int iconSize) {
    auto* b = new QToolButton(banner);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setIconSize(QSize(iconSize, iconSize));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, (banner->height() - edge) / 2, edge, edge);
    b->setStyleSheet(u"QToolButton { background: rgba(255,255,255,150); border: 1px solid"
                     " rgba(255,255,255,200); border-radius: 6px; }"
                     "QToolButton:hover { background: rgba(255,255,255,220); }"_s);
    return b;
}

} // namespace tev
