#include "access/UserForm.h"

#include "access/UserForm2.h"
#include "domain/Users.h"
#include "ui/ClickableLabel.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr int kFrameEdge = 64;
// The frame's fill while the mouse is over the picture.
const QColor kLit(0xA6, 0xCA, 0xF0);

QLabel* Caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* Field(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedHeight(24);
    return edit;
}

} // namespace

TFormUser::TFormUser(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormUser"_s);
    setWindowTitle(u"业务员管理"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    DBGridEh1 = new TDataGrid(this);
    DBGridEh1->setObjectName(u"DBGridEh1"_s);
    DBGridEh1->SetColumns({
        {u"PowerIndex"_s, u"编号"_s, 50, Qt::AlignCenter, GridFormat::Text},
        {u"PowerName"_s, u"业务员名称"_s, 100, Qt::AlignCenter, GridFormat::Text},
        {u"PowerKey"_s, u"登录密码"_s, 90, Qt::AlignCenter, GridFormat::Text},
        {u"PowerPicture"_s, u"图片地址"_s, 110, Qt::AlignCenter, GridFormat::Text},
        {u"PowerRange"_s, u"管理权限"_s, 150, Qt::AlignCenter, GridFormat::Text},
    });
    DBGridEh1->setFixedSize(522, 380);

    Edit1 = Field(this, u"Edit1"_s);
    Edit2 = Field(this, u"Edit2"_s);
    Edit3 = Field(this, u"Edit3"_s);
    Edit3->setReadOnly(true);
    Edit3->setStyleSheet(u"#Edit3 { background: #e4e7eb; }"_s);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setFixedSize(kFrameEdge, kFrameEdge);
    Image1 = new ClickableLabel(Shape1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(8, 8, kFrameEdge - 16, kFrameEdge - 16);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(u"单击图片更换头像"_s);
    Shape1->installEventFilter(this);
    SetFrameLit(false);
    auto* pictureHint = new QLabel(u"单击图片更换头像"_s, this);
    pictureHint->setObjectName(u"PictureHint"_s);
    pictureHint->setStyleSheet(u"#PictureHint { color: #6b7480; }"_s);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->setSpacing(10);
    pictureRow->addWidget(Shape1);
    pictureRow->addWidget(pictureHint, 1);

    CheckBox1 = new QCheckBox(u"业务管理："_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox2 = new QCheckBox(u"财务管理："_s, this);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    auto* ranges = new QHBoxLayout;
    ranges->setSpacing(14);
    ranges->addWidget(CheckBox1);
    ranges->addWidget(CheckBox2);
    ranges->addStretch(1);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(12);
    fields->addWidget(Caption(this, u"名称："_s), 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Caption(this, u"密码："_s), 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->addWidget(Caption(this, u"头像："_s), 2, 0);
    fields->addWidget(Edit3, 2, 1);
    fields->addLayout(pictureRow, 3, 1);
    fields->addWidget(Caption(this, u"权限范围："_s), 4, 0);
    fields->addLayout(ranges, 4, 1);
    fields->setColumnStretch(1, 1);

    Button1 = new QPushButton(u"确　定"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setFixedSize(88, 30);
    Button1->setDefault(true);
    Button2 = new QPushButton(u"取　消"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setFixedSize(88, 30);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addSpacing(12);
    buttons->addWidget(Button2);

    auto* side = new QVBoxLayout;
    side->setSpacing(12);
    side->addLayout(fields);
    side->addStretch(1);
    side->addLayout(buttons);
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(14, 14, 14, 14);
    page->setSpacing(16);
    page->addWidget(DBGridEh1);
    page->addLayout(side);
    setFixedSize(522 + 300, 380 + 28);

    connect(DBGridEh1, &TDataGrid::CurrentRowChanged, this, [this] { ShowCurrentRow(); });
    connect(Image1, &ClickableLabel::clicked, this, &TFormUser::Image1Click);
    connect(Button1, &QPushButton::clicked, this, &TFormUser::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormUser::FormShow() {
    OpenList(0);
    FocusControl(Edit1);
}

void TFormUser::OpenList(qint64 index) {
    Result<ResultSet> rows = SalesmanRows(Db());
    m_listOpen = bool(rows);
    if (!rows) {
        ShowOutcome(this, rows);
        DBGridEh1->Clear();
        ShowCurrentRow();
        return;
    }
    DBGridEh1->SetData(rows.value);
    DBGridEh1->SetCountAndSums(u"PowerIndex"_s, {});
    for (int row = 0; row < DBGridEh1->RowCount(); ++row)
        if (DBGridEh1->Model()->Value(row, u"PowerIndex"_s).toLongLong() == index) {
            DBGridEh1->SetCurrentRow(row);
            break;
        }
    ShowCurrentRow();
}

void TFormUser::ShowCurrentRow() {
    // Typed but unsaved entries of the previous row are discarded.
    Edit1->setText(DBGridEh1->CurrentString(u"PowerName"_s));
    Edit2->setText(DBGridEh1->CurrentString(u"PowerKey"_s));
    Edit3->setText(DBGridEh1->CurrentString(u"PowerPicture"_s));
    const QString range = DBGridEh1->CurrentString(u"PowerRange"_s);
    CheckBox1->setChecked(RangeHasBusiness(range));
    CheckBox2->setChecked(RangeHasFinance(range));
    ShowPicture(Edit3->text());
}

void TFormUser::ShowPicture(const QString& path) {
    Image1->setPixmap(path.isEmpty() ? QPixmap() : QPixmap(ProgramDir + path));
}

void TFormUser::Image1Click() {
    FormUser2->PicturePath = Edit3->text();
    if (TheUi().ShowModal(FormUser2) != QDialog::Accepted) return;
    Edit3->setText(FormUser2->PicturePath);
    ShowPicture(Edit3->text());
}

void TFormUser::Button1Click() {
    if (!m_listOpen || !DBGridEh1->HasCurrentRow()) return;
    SalesmanInput in;
    in.index = DBGridEh1->CurrentInteger(u"PowerIndex"_s);
    in.name = Edit1->text();
    in.key = Edit2->text();
    in.picture = Edit3->text();
    in.business = CheckBox1->isChecked();
    in.finance = CheckBox2->isChecked();
    // A refused name is corrected where it was typed; a row gone meanwhile leaves the list.
    const auto notStored = [this, &in](const Outcome& why) {
        ShowOutcome(this, why);
        if (why.kind == Outcome::Refused) FocusControl(Edit1);
        if (why.kind == Outcome::Missing) OpenList(in.index);
    };
    const Result<QString> current = CheckSalesman(Db(), in);
    if (!current) {
        notStored(current);
        return;
    }
    // The question comes before anything is written, so that the row and its records change
    // together: a failure leaves both as they were, never the row renamed with the business
    // still under the old name.
    const bool handOver =
        HandOverOffered(current.value, in.name) &&
        TheUi().AskYesNo(this, u"业务员名字已改变，是否把旧业务员数据移交给新业务员管理？"_s, u"移交确认"_s);
    const Result<SalesmanStored> stored = StoreSalesman(Db(), in, handOver);
    if (!stored) {
        notStored(stored);
        return;
    }
    // The saved row is current again, showing what was stored.
    OpenList(in.index);
    if (stored.value.handedOver) TheUi().Message(this, u"业务员数据移交成功"_s);
}

bool TFormUser::eventFilter(QObject* watched, QEvent* event) {
    // The picture sits inside its frame: the frame is left only when the mouse is over the
    // rest of the window.
    if (watched == Shape1) {
        if (event->type() == QEvent::Enter) SetFrameLit(true);
        if (event->type() == QEvent::Leave) SetFrameLit(false);
    }
    return TForm::eventFilter(watched, event);
}

void TFormUser::SetFrameLit(bool lit) {
    const QColor fill = lit ? kLit : palette().color(QPalette::Base);
    Shape1->setStyleSheet(
        u"#Shape1 { border: 1px solid #8fa8c8; border-radius: 8px; background: %1; }"_s.arg(fill.name()));
}

} // namespace tev
