#pragma once
// The vendor's online service: composes a contact request and opens it as a web address.

#include "ui/Form.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tev {

class TFormOnlineChat : public TForm {
    Q_OBJECT
public:
    explicit TFormOnlineChat(QWidget* parent = nullptr);

    QLineEdit* Edit1;      // contact name
    QLineEdit* Edit2;      // telephone
    QPlainTextEdit* Memo1; // question
    QPushButton* BitBtn1;  // send
    QPushButton* BitBtn2;  // close

    // The web address of the request composed from the fields.
    QUrl RequestUrl() const;
    void BitBtn1Click();

protected:
    void FormShow() override;
};

} // namespace tev
