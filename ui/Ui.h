#pragma once
// The one seam between the windows and the desktop: message boxes, Yes/No questions,
// modal windows, file dialogs, the shell and today's date. The program installs the Qt
// implementation; tests install a scripted one that answers every prompt.

#include <QDate>
#include <QString>
#include <QUrl>

class QDialog;
class QWidget;

namespace tev {

enum class MsgIcon { None, Information, Warning, Error };

class Ui {
public:
    virtual ~Ui() = default;

    // A message box with one OK button. An empty caption means the program's title.
    virtual void Message(QWidget* parent, const QString& text, const QString& caption = {},
                         MsgIcon icon = MsgIcon::None) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // Shows a window modally and returns its result (QDialog::Accepted for OK). A TForm
    // is set up first (FormShow); a form that closes itself during set-up is not shown.
    virtual int ShowModal(QDialog* form) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                                   const QString& filter) = 0;
    virtual QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                                   const QString& filter) = 0;
    // Opens a folder or address with the desktop; false when nothing could open it.
    virtual bool OpenUrl(const QUrl& url) = 0;
    virtual QDate Today() = 0;
};

// The installed seam. Install returns the previous one (which stays owned by its installer).
Ui& TheUi();
Ui* InstallUi(Ui* ui);

// The desktop implementation.
class QtUi : public Ui {
public:
    void Message(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    int ShowModal(QDialog* form) override;
    QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                           const QString& filter) override;
    QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                           const QString& filter) override;
    bool OpenUrl(const QUrl& url) override;
    QDate Today() override;
};

// Shorthands used by the windows.
inline void ShowMessage(const QString& text, QWidget* parent = nullptr) {
    TheUi().Message(parent, text);
}

} // namespace tev
