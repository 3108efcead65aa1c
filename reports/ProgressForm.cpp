#include "reports/ProgressForm.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// Paints what is pending (the bar, and every window uncovered meanwhile) without taking the
// user's clicks and keys: those wait in the queue until the work is done.
void Repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TFormProgress::TFormProgress(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormProgress"_s);
    setWindowTitle(u"请稍候"_s);
    // Nothing to close or answer: the window goes when the work is done.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // The other windows take no input while it is up, although no modal loop runs.
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(360, 96);

    Label1 = new QLabel;
    Label1->setObjectName(u"Label1"_s);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setFormat(u"%p%"_s);

    // A raised edge of its own, so that the window stands out from the page under it whatever
    // frame the desktop draws around it.
    auto* panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
    auto* col = new QVBoxLayout(panel);
    col->setContentsMargins(18, 14, 18, 16);
    col->setSpacing(10);
    col->addWidget(Label1);
    col->addWidget(ProgressBar1);
}

void TFormProgress::Start(const QString& what) {
    Label1->setText(what);
    // No progress at all until the window is up: the bar starts empty at every showing.
    ProgressBar1->reset();
    if (parentWidget()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(parentWidget()->window()->geometry().center());
        move(frame.topLeft());
    }
    show();
    ProgressBar1->setValue(0);
    Repaint();
}

void TFormProgress::Step(int percent) {
    const int value = std::clamp(percent, 0, 100);
    if (value > ProgressBar1->value()) ProgressBar1->setValue(value);
    Repaint();
}

void TFormProgress::Finish() {
    hide();
    Repaint();
}

ProgressScope::ProgressScope(TFormProgress* form, const QString& what) : m_form(form) {
    if (m_form) m_form->Start(what);
}

ProgressScope::~ProgressScope() {
    Hide();
}

void ProgressScope::Step(int percent) {
    if (m_form) m_form->Step(percent);
}

ProgressStep ProgressScope::Part(int from, int to) {
    return [this, from, to](int percent) { Step(from + (to - from) * percent / 100); };
}

void ProgressScope::Hide() {
    if (m_form && m_form->isVisible()) m_form->Finish();
}

} // namespace tev
