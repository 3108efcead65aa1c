#pragma once
// Base of every window: a dialog created once and shown modally again and again;
// each showing sets it up afresh from its public fields (FormShow).

#include <QDialog>
#include <QPointer>

namespace tev {

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // Runs FormShow with the result reset; false when the form closed itself while
    // setting up (the caller then does not show it).
    bool RunFormShow();

    // Moves the focus to a control; remembered so that tests can see where it went.
    void FocusControl(QWidget* control);
    QWidget* FocusedControl() const { return m_focused; }

    // The form's own child by object name, or nullptr.
    template <typename T = QWidget> T* Control(const QString& name) const { return findChild<T*>(name); }

    void done(int result) override;

protected:
    virtual void FormShow() {}

private:
    QPointer<QWidget> m_focused;
    bool m_doneDuringShow = false;
    bool m_inShow = false;
};

// Enables a control, or disables it with the reason in its tooltip: a greyed button always
// says why it cannot be used now. The control's own tooltip comes back once it is enabled.
void SetAvailable(QWidget* control, bool available, const QString& whyNot);

// The fonts of the windows: a Song/Ming face for text, a Hei face for titles.
QFont SongFont(int pointSize = 9);
QFont HeiFont(int pointSize = 9, bool bold = false);

} // namespace tev
