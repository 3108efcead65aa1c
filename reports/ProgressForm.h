#pragma once
// The progress window of the monthly reports: shown while the figures are computed and the
// report's rows are written, with a bar that follows the work done. It belongs to no modal
// loop: the work runs on and tells the window its progress, and between its steps the windows
// are repainted while the user's input waits until the work is done.

#include "domain/MonthReports.h"
#include "ui/Form.h"

#include <QPointer>

class QLabel;
class QProgressBar;

namespace tev {

class TFormProgress : public TForm {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget* parent = nullptr);

    QLabel* Label1; // what is being done
    QProgressBar* ProgressBar1;

    // Shows the window with the bar at 0 and returns at once.
    void Start(const QString& what);
    // Moves the bar (never back) and lets every window repaint.
    void Step(int percent);
    void Finish();
};

// Shows the progress window for as long as it lives and hides it on every way out of the scope,
// a failure or an early return included.
class ProgressScope {
public:
    ProgressScope(TFormProgress* form, const QString& what);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void Step(int percent);
    // The steps of a part of the work that runs from `from` to `to` percent of the whole: its
    // own 0 to 100 are told as that stretch of the bar.
    ProgressStep Part(int from, int to);
    // Hides the window before the scope ends (before a message or the preview).
    void Hide();

private:
    QPointer<TFormProgress> m_form;
};

} // namespace tev
