#pragma once
// The shared prompt dialog: a caption, a prompt and one entry box, optionally masked.

#include "ui/Form.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

namespace tev {

class TFormAsk : public TForm {
    Q_OBJECT
public:
    explicit TFormAsk(QWidget* parent = nullptr);

    QString AskCaption;
    QString AskPrompt;
    QString AskValue;

    // The mask character of Edit1; a null character shows plain text.
    void SetPasswordChar(QChar c);
    QChar PasswordChar() const { return m_passwordChar; }

    QFrame* Shape1;
    QLabel* Image1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click();

protected:
    void FormShow() override;

private:
    QChar m_passwordChar;
};

} // namespace tev
