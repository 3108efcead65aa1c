#include "access/OnlineChatForm.h"

#include "ui/Globals.h"
#include "ui/Ui.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

TFormOnlineChat::TFormOnlineChat(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormOnlineChat"_s);
    setWindowTitle(u"在线服务"_s);
    setFixedSize(420, 300);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(u"请留下您的联系方式和问题，Corvina软件有限公司的客服人员会尽快与您联系。\n"
                             "客服电话：%1"_s.arg(VendorPhone),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    form->addRow(u"联系人："_s, Edit1);
    form->addRow(u"联系电话："_s, Edit2);
    form->addRow(u"问题描述："_s, Memo1);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    BitBtn1 = new QPushButton(u"发送请求"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn2 = new QPushButton(u"关闭"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormOnlineChat::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormOnlineChat::FormShow() {
    FocusControl(Edit1);
}

QUrl TFormOnlineChat::RequestUrl() const {
    QUrl url(VendorServiceAddress);
    QUrlQuery query;
    query.addQueryItem(u"user"_s, CurrentUser);
    query.addQueryItem(u"contact"_s, Edit1->text().trimmed());
    query.addQueryItem(u"phone"_s, Edit2->text().trimmed());
    query.addQueryItem(u"question"_s, Memo1->toPlainText().trimmed());
    url.setQuery(query);
    return url;
}

void TFormOnlineChat::BitBtn1Click() {
    if (Edit2->text().trimmed().isEmpty() && Memo1->toPlainText().trimmed().isEmpty()) {
        TheUi().Message(this, u"请填写联系电话或问题描述"_s);
        FocusControl(Edit2);
        return;
    }
    if (!TheUi().OpenUrl(RequestUrl())) {
        TheUi().Message(this, u"无法打开浏览器，请拨打客服电话：%1"_s.arg(VendorPhone));
        return;
    }
    accept();
}

} // namespace tev
