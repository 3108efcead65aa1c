#pragma once
// The window seam for tests: every prompt a window raises must have been expected, in
// order, with its answer; an unexpected prompt fails the test at once and never blocks.

#include "ui/Ui.h"

#include <QDialog>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <vector>

namespace tevtest {

struct Shown {
    enum Kind { Message, YesNo, Modal, SaveFile, OpenFile, OpenUrl } kind;
    QString text; // message text, question, form object name, dialog caption or address
    QString caption;
    tev::MsgIcon icon = tev::MsgIcon::None;
    QString startPath; // where a file dialog started (folder or proposed file)
};

class ScriptedUi : public tev::Ui {
public:
    QDate today = QDate(2024, 3, 15);

    // A message box with exactly this text (and, when given, caption and icon).
    ScriptedUi& ExpectMessage(const QString& text);
    ScriptedUi& ExpectMessage(const QString& text, const QString& caption, tev::MsgIcon icon);
    ScriptedUi& ExpectYesNo(const QString& text, const QString& caption, bool answer);
    // A modal window of this object name; act fills its controls and clicks its buttons.
    ScriptedUi& ExpectModal(const QString& formName, std::function<void(QDialog*)> act);
    template <typename Form>
    ScriptedUi& ExpectModal(const QString& formName, std::function<void(Form*)> act) {
        return ExpectModal(formName, [act, formName](QDialog* d) {
            auto* f = dynamic_cast<Form*>(d);
            if (!f)
                throw std::runtime_error("modal window is not of the expected class: " +
                                         formName.toStdString());
            act(f);
        });
    }
    ScriptedUi& ExpectSaveFile(const QString& answer);
    ScriptedUi& ExpectOpenFile(const QString& answer);
    ScriptedUi& ExpectOpenUrl(bool answer = true);

    // Everything shown so far, in order.
    const std::vector<Shown>& History() const { return m_history; }
    std::vector<QString> Messages() const;
    // Fails the test for every expectation left unused.
    void VerifyAllUsed();
    bool AllUsed() const { return m_expected.empty(); }

    void Message(QWidget* parent, const QString& text, const QString& caption, tev::MsgIcon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    int ShowModal(QDialog* form) override;
    QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                           const QString& filter) override;
    QString ChooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                           const QString& filter) override;
    bool OpenUrl(const QUrl& url) override;
    QDate Today() override { return today; }

    QUrl lastUrl;

private:
    struct Expected {
        Shown::Kind kind = Shown::Message;
        QString text;
        bool checkCaption = false;
        QString caption;
        tev::MsgIcon icon = tev::MsgIcon::None;
        bool answer = false;
        QString file;
        std::function<void(QDialog*)> act;
    };
    static Expected Make(Shown::Kind kind, const QString& text) {
        Expected e;
        e.kind = kind;
        e.text = text;
        return e;
    }
    bool Take(Shown::Kind kind, const QString& what, Expected& out);

    std::deque<Expected> m_expected;
    std::vector<Shown> m_history;
};

// Finds a named control of a window, failing loudly with the window's and the control's name.
template <typename T> T* Find(QObject* form, const QString& name) {
    T* c = form->findChild<T*>(name);
    if (!c)
        throw std::runtime_error("window " + form->objectName().toStdString() + " has no control " +
                                 name.toStdString());
    return c;
}

} // namespace tevtest
