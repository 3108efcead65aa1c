#include "app/Ui.h"

#include "app/Form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
QtUi g_qtUi;
Ui* g_ui = &g_qtUi;

QString CaptionOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}
} // namespace

Ui& TheUi() {
    return *g_ui;
}

Ui* InstallUi(Ui* ui) {
    Ui* previous = g_ui;
    g_ui = ui ? ui : &g_qtUi;
    return previous;
}

void QtUi::Message(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(CaptionOr(caption));
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(u"确定"_s);
    box.exec();
}

bool QtUi::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(parent);
    box.setWindowTitle(CaptionOr(caption));
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(u"是(&Y)"_s);
    box.button(QMessageBox::No)->setText(u"否(&N)"_s);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtUi::ShowModal(QDialog* form) {
    if (auto* f = dynamic_cast<TForm*>(form)) {
        if (!f->RunFormShow()) return f->result();
    }
    return form->exec();
}

QString QtUi::ChooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                             const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, startPath, filter);
}

QString QtUi::ChooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                             const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, startPath, filter);
}

bool QtUi::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QDate QtUi::Today() {
    return QDate::currentDate();
}

} // namespace tev
