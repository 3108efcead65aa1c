#include "access/UserForm2.h"

#include "ui/ClickableLabel.h"
#include "ui/Globals.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
constexpr int kColumns = 8;
constexpr int kPictureEdge = 48;
} // namespace

TFormUser2::TFormUser2(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormUser2"_s);
    setWindowTitle(u"选择头像"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < PictureCount; ++i) {
        const int n = i + 1;
        auto* image = new ClickableLabel(this);
        image->setObjectName(u"Image%1"_s.arg(n));
        image->setFixedSize(kPictureEdge + 2, kPictureEdge + 2);
        image->setAlignment(Qt::AlignCenter);
        image->setFrameShape(QFrame::Box);
        image->setCursor(Qt::PointingHandCursor);
        auto* radio = new QRadioButton(u"头像%1"_s.arg(n), this);
        radio->setObjectName(u"RadioButton%1"_s.arg(n));
        Group->addButton(radio, n);
        // The picture is part of its button: clicking it checks the button.
        connect(image, &ClickableLabel::clicked, radio, [radio] { radio->setChecked(true); });
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(image, 0, Qt::AlignHCenter);
        cell->addWidget(radio, 0, Qt::AlignHCenter);
        grid->addLayout(cell, i / kColumns, i % kColumns);
        Images[size_t(i)] = image;
        RadioButtons[size_t(i)] = radio;
    }

    BitBtn1 = new QPushButton(u"确定"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setDefault(true);
    BitBtn1->setFixedSize(88, 28);
    BitBtn2 = new QPushButton(u"取消"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setFixedSize(88, 28);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(12);
    buttons->addWidget(BitBtn2);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(16, 16, 16, 12);
    page->setSpacing(14);
    page->addLayout(grid);
    page->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(BitBtn1, &QPushButton::clicked, this, &TFormUser2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFormUser2::PictureOf(int n) {
    return u"Faces/%1.bmp"_s.arg(n);
}

void TFormUser2::FormShow() {
    if (!m_picturesLoaded) {
        for (int i = 0; i < PictureCount; ++i)
            Images[size_t(i)]->setPixmap(QPixmap(ProgramDir + PictureOf(i + 1)));
        m_picturesLoaded = true;
    }
    // The picture in use is checked; a path that is none of the 39 leaves the button checked
    // the last time as it was.
    for (int i = 0; i < PictureCount; ++i)
        if (PictureOf(i + 1) == PicturePath) RadioButtons[size_t(i)]->setChecked(true);
    FocusControl(BitBtn1);
}

void TFormUser2::BitBtn1Click() {
    const int n = Group->checkedId();
    if (n >= 1) PicturePath = PictureOf(n);
    accept();
}

} // namespace tev
