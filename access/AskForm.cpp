#include "access/AskForm.h"

#include "ui/Globals.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
// Shows the chosen character for every typed one, as the entry box's mask.
class MaskStyle : public QProxyStyle {
public:
    explicit MaskStyle(QChar c) : m_c(c) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return m_c.unicode();
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

private:
    QChar m_c;
};
} // namespace

TFormAsk::TFormAsk(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormAsk"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(380, 132);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setGeometry(10, 14, 96, 96);
    Shape1->setStyleSheet(
        u"#Shape1 { border: 1px solid #8fa8c8; border-radius: 14px; background: #eef3fa; }"_s);
    Image1 = new QLabel(Shape1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(8, 8, 80, 80);
    Image1->setScaledContents(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(118, 14, 250, 34);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setGeometry(124, 52, 238, 24);

    BitBtn1 = new QPushButton(u"确定"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(162, 90, 88, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(u"取消"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setGeometry(266, 90, 88, 28);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormAsk::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAsk::SetPasswordChar(QChar c) {
    m_passwordChar = c;
    if (c.isNull()) {
        Edit1->setEchoMode(QLineEdit::Normal);
        Edit1->setStyle(nullptr);
    } else {
        auto* style = new MaskStyle(c);
        style->setParent(Edit1);
        Edit1->setStyle(style);
        Edit1->setEchoMode(QLineEdit::Password);
    }
}

void TFormAsk::FormShow() {
    if (Image1->pixmap().isNull()) Image1->setPixmap(QPixmap(ProgramDir + u"Res/Ask.bmp"_s));
    setWindowTitle(AskCaption);
    Label1->setText(AskPrompt);
    Edit1->setText(AskValue);
    FocusControl(Edit1);
}

void TFormAsk::BitBtn1Click() {
    AskValue = Edit1->text();
    accept();
}

} // namespace tev
