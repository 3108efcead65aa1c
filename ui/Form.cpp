#include "ui/Form.h"

#include <QFont>

using namespace Qt::StringLiterals;

namespace tev {

TForm::TForm(QWidget* parent) : QDialog(parent) {
    setFont(SongFont());
}

bool TForm::RunFormShow() {
    setResult(QDialog::Rejected);
    m_doneDuringShow = false;
    m_inShow = true;
    FormShow();
    m_inShow = false;
    return !m_doneDuringShow;
}

void TForm::FocusControl(QWidget* control) {
    m_focused = control;
    if (control) control->setFocus(Qt::OtherFocusReason);
}

void TForm::done(int result) {
    if (m_inShow) m_doneDuringShow = true;
    QDialog::done(result);
}

QFont SongFont(int pointSize) {
    QFont f(u"AR PL UMing CN"_s, pointSize);
    f.setFamilies({u"AR PL UMing CN"_s, u"WenQuanYi Micro Hei"_s});
    return f;
}

QFont HeiFont(int pointSize, bool bold) {
    QFont f(u"WenQuanYi Micro Hei"_s, pointSize);
    f.setBold(bold);
    return f;
}

void SetAvailable(QWidget* control, bool available, const QString& whyNot) {
    static const char* const kOwnTip = "tevOwnToolTip";
    if (!control->property(kOwnTip).isValid()) control->setProperty(kOwnTip, control->toolTip());
    control->setEnabled(available);
    control->setToolTip(available ? control->property(kOwnTip).toString() : whyNot);
}

} // namespace tev
