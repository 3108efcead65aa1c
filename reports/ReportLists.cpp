#include "reports/ReportLists.h"

#include "bills/BuySellForm.h"
#include "domain/Reports.h"
#include "reports/AnalysisForm.h"
#include "reports/BillReportForm.h"
#include "reports/MoneyReportForm.h"
#include "rules/IniFile.h"
#include "rules/PublicFunction.h"
#include "ui/Form.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/GridExport.h"
#include "ui/Messages.h"
#include "ui/Ui.h"
#include "vouchers/GetPayForm.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString kSelectFirst = u"请先选中需要查看的记录"_s;
const QString kByTime = u"按时间排"_s;
const QString kByAmount = u"按金额排"_s;

// Titles and footers in 12-pixel Song.
QFont TitleFont() {
    QFont font = SongFont();
    font.setPixelSize(12);
    return font;
}

QString CountText(int rows) {
    return u"共%1条"_s.arg(rows);
}

} // namespace

ReportListPage::ReportListPage(QWidget* sheet, const QString& queryName, bool billList)
    : QObject(sheet), m_sheet(sheet), m_billList(billList) {
    ListReport.SetMainDataSet(&m_printData, queryName);
    // The printed list says what it shows, so a page can be read on its own.
    ListReport.SetVariableCallback([this](const QString& name, QVariant& value) {
        if (name == u"ListConditions"_s) value = m_conditions;
    });
    ListReport.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Print | PreviewButton::Find |
                                 PreviewButton::Exit);
}

bool ReportListPage::OnScreen() const {
    return m_sheet->isVisibleTo(m_sheet->window());
}

void ReportListPage::Refresh() {
    if (OnScreen())
        Run(ListRequest());
    else
        m_stale = !m_request.IsEmpty();
}

void ReportListPage::EnsureFresh() {
    if (m_stale) Run(ListRequest());
}

QPushButton* ReportListPage::MakeButton(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, m_sheet);
    b->setObjectName(name);
    b->setFixedHeight(26);
    b->setMinimumWidth(84);
    return b;
}

void ReportListPage::BuildPage(const QString& gridName, const QVector<GridColumn>& columns,
                               const QList<QPushButton*>& buttons, const QString& comboName,
                               const QStringList& sortItems) {
    Grid = new TDataGrid(m_sheet);
    Grid->setObjectName(gridName);
    // The page's caption names the exported workbook.
    Grid->setWindowTitle(m_billList ? u"业务报表"_s : u"财务报表"_s);
    Grid->SetColumns(columns);
    Grid->SetTitleFont(TitleFont());
    m_widths = QVector<int>(columns.size(), 0);
    Grid->CellDrawn = [this](int column, const QString& text) { RememberWidth(column, text); };

    m_sortLabel = new QLabel(u"排序方式"_s, m_sheet);
    m_sortLabel->setObjectName(gridName == u"DBGridEh2"_s ? u"Label3"_s : u"Label9"_s);
    SortCombo = new QComboBox(m_sheet);
    SortCombo->setObjectName(comboName);
    SortCombo->addItems(sortItems);
    SortCombo->setFixedWidth(96);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(6);
    for (QPushButton* b : buttons)
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addWidget(m_sortLabel);
    bar->addWidget(SortCombo);

    ConditionsLine = new QLabel(m_sheet);
    ConditionsLine->setObjectName(gridName == u"DBGridEh2"_s ? u"BillConditions"_s : u"MoneyConditions"_s);
    ConditionsLine->setText(u"查询条件：尚未查找单据"_s);

    auto* col = new QVBoxLayout(m_sheet);
    col->setContentsMargins(6, 6, 6, 6);
    col->setSpacing(6);
    col->addWidget(ConditionsLine);
    col->addWidget(Grid, 1);
    col->addLayout(bar);

    connect(Grid->View()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &ReportListPage::TitleClick);

    m_exportAction = new QAction(u"导出Excel"_s, this);
    m_exportAction->setObjectName(u"ExportAction"_s);
    connect(m_exportAction, &QAction::triggered, this, &ReportListPage::ExportList);
    Grid->AddContextAction(m_exportAction);
}

QString ReportListPage::FullStatement() const {
    return m_statement + Filter() + Grouping() + OrderClause();
}

void ReportListPage::Run(const ListRequest& request) {
    if (!request.IsEmpty()) m_request = request;
    if (m_request.IsEmpty()) return;
    m_stale = false;
    m_statement = m_request.statement();
    m_conditions = m_request.description ? m_request.description() : QString();
    ConditionsLine->setText(u"查询条件："_s + (m_conditions.isEmpty() ? u"（未注明）"_s : m_conditions));
    ConditionsLine->setToolTip(ConditionsLine->text());
    Result<ListRows> opened = OpenRows(m_statement);
    if (!opened) {
        ShowOutcome(nullptr, opened);
        ListQuery = OpenedList();
        m_printData.SetRows(nullptr);
        Grid->Clear();
        UpdateListButtons();
        return;
    }
    ListQuery = {opened.value.rows, opened.value.count, opened.value.sums};
    m_printData.SetRows(ListQuery.rows);
    UpdateListButtons();
    Grid->SetSource(ListQuery.rows);
    // An empty list shows no stale count or sums from an earlier run.
    Grid->ClearFooters();
    if (ListQuery.RecordCount() > 0) SetFooters();
}

void ReportListPage::SetListButtons(const QList<QPushButton*>& buttons) {
    m_listButtons = buttons;
    UpdateListButtons();
}

void ReportListPage::UpdateListButtons() {
    for (QPushButton* b : m_listButtons)
        SetAvailable(b, ListQuery.Active(), u"请先用“查找单据”查出单据"_s);
    if (m_exportAction) m_exportAction->setEnabled(ListQuery.Active());
}

void ReportListPage::RememberWidth(int column, const QString& text) {
    // Every cell drawn is measured; a text wider than the column's remembered width widens it.
    if (column < 0 || column >= m_widths.size()) return;
    const int width = QFontMetrics(Grid->View()->font()).horizontalAdvance(text);
    if (width > m_widths[column]) m_widths[column] = width + 20;
}

void ReportListPage::TitleClick(int column) {
    if (column < 0 || column >= m_widths.size()) return;
    if (Grid->View()->columnWidth(column) < m_widths[column])
        Grid->View()->setColumnWidth(column, m_widths[column]);
}

void ReportListPage::PrintList() {
    EnsureFresh();
    if (!ListQuery.Active()) return;
    const QString printType = IniReadString(ini::Section, ini::PrintType, u"纵向打印"_s, IniFileName);
    if (!LoadReportTemplate(ListReport, ListTemplateName(m_billList, printType))) return;
    PrepareAndShow(ListReport, m_sheet);
}

void ReportListPage::ExportList() {
    EnsureFresh();
    if (!ListQuery.Active()) return;
    ExportGridToExcel(Grid);
}

// ---------------------------------------------------------------------------------------

BillReportList::BillReportList(QWidget* sheet) : ReportListPage(sheet, u"BReportADOQuery"_s, true) {
    SpeedButton3 = MakeButton(u"SpeedButton3"_s, u"查找单据"_s);
    SpeedButton4 = MakeButton(u"SpeedButton4"_s, u"打印列表"_s);
    SpeedButton5 = MakeButton(u"SpeedButton5"_s, u"经营报表"_s);
    SpeedButton6 = MakeButton(u"SpeedButton6"_s, u"导出Excel"_s);

    const auto amount = GridFormat::Amount;
    const auto centre = Qt::AlignCenter;
    BuildPage(u"DBGridEh2"_s,
              {
                  {u"BillCreateTime"_s, u"创建时间"_s, 70, centre, GridFormat::Date},
                  {u"BillSerial"_s, u"单据编号"_s, 80, centre},
                  {u"BillKind"_s, u"单据类型"_s, 80, centre},
                  {u"BillUser"_s, u"客户名称"_s, 120, centre},
                  {u"BillSum"_s, u"单据金额"_s, 70, centre, amount, true},
                  {u"BillGet"_s, u"已收金额"_s, 70, centre, amount},
                  {u"BillOwe"_s, u"未收金额"_s, 70, centre, amount},
                  {u"BillMan"_s, u"业务员"_s, 60, centre},
                  {u"BillReason"_s, u"业务种类"_s, 70, centre},
                  {u"BillState"_s, u"业务进度"_s, 70, centre},
                  {u"BillRemark"_s, u"备注信息"_s, 120, centre},
              },
              {SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6}, u"ComboBox2"_s,
              {kByTime, u"按客户排"_s, kByAmount});
    DBGridEh2 = Grid;
    ComboBox2 = SortCombo;

    connect(ComboBox2, &QComboBox::activated, this, &BillReportList::ComboBox2Change);
    connect(SpeedButton3, &QPushButton::clicked, this, &BillReportList::ActionBillReportExecute);
    connect(SpeedButton4, &QPushButton::clicked, this, &BillReportList::ActionPrintBillReportExecute);
    connect(SpeedButton6, &QPushButton::clicked, this, &BillReportList::ActionBExecelExecute);
    // Always pressable: without a list it says what to do first.
    connect(SpeedButton5, &QPushButton::clicked, this, &BillReportList::ActionAnalysisExecute);
    SetListButtons({SpeedButton4, SpeedButton6});
    connect(DBGridEh2, &TDataGrid::DoubleClicked, this, &BillReportList::DBGridEh2DblClick);
}

QString BillReportList::Filter() const {
    return BillFilter;
}

QString BillReportList::Grouping() const {
    return BillListGrouping();
}

QString BillReportList::OrderClause() const {
    const QString order = ComboBox2->currentText();
    return BillListOrderClause(order == u"按客户排"_s ? BillListOrder::ByCustomer
                               : order == kByAmount   ? BillListOrder::ByAmount
                                                      : BillListOrder::ByTime);
}

Result<ListRows> BillReportList::OpenRows(const QString& kept) const {
    const QString order = ComboBox2->currentText();
    return OpenBillList(Db(), kept, Filter(),
                        order == u"按客户排"_s ? BillListOrder::ByCustomer
                        : order == kByAmount   ? BillListOrder::ByAmount
                                               : BillListOrder::ByTime);
}

void BillReportList::SetFooters() {
    DBGridEh2->SetFooterText(u"BillCreateTime"_s, CountText(BReportADOQuery.RecordCount()), Qt::black);
    DBGridEh2->SetFooterText(u"BillSum"_s, FormatAmount(BReportADOQuery.sums.value(u"BillSum"_s)), Qt::black);
    DBGridEh2->SetFooterText(u"BillGet"_s, FormatAmount(BReportADOQuery.sums.value(u"BillGet"_s)), Qt::blue);
    DBGridEh2->SetFooterText(u"BillOwe"_s, FormatAmount(BReportADOQuery.sums.value(u"BillOwe"_s)), Qt::red);
}

void BillReportList::ActionBillReportExecute() {
    TheUi().ShowModal(FormBillReport);
}

void BillReportList::ActionAnalysisExecute() {
    if (CurrentRole == Text(Role::Salesman)) {
        ShowMessage(u"请以财务主管，财务总监，或总经理身份登录软件，查看经营报表"_s);
        return;
    }
    if (!BReportADOQuery.Active()) {
        ShowMessage(u"请先“查找单据”，生成数据报表，再进行图形分析"_s);
        return;
    }
    FormAnalysis->BillList = this;
    TheUi().ShowModal(FormAnalysis);
}

void BillReportList::ComboBox2Change() {
    Run(QString());
}

void BillReportList::DBGridEh2DblClick() {
    const QVariant index = DBGridEh2->CurrentValue(u"BillIndex"_s);
    if (!BReportADOQuery.Active() || index.isNull()) {
        ShowMessage(kSelectFirst);
        return;
    }
    FormBuySell->OpenMode = OpenMode::Change;
    FormBuySell->DocKind =
        BillKindFromText(DBGridEh2->CurrentString(u"BillKind"_s)).value_or(BillKind::Purchase);
    FormBuySell->CurrentBill = int(index.toLongLong());
    FormBuySell->CustomerFixed = false;
    FormBuySell->Unlocked = false;
    const int result = TheUi().ShowModal(FormBuySell);
    // A stored bill can change only once the modification password unlocked it.
    if (FormBuySell->Unlocked || result == QDialog::Accepted) TheShell().RefreshAllViews();
}

// ---------------------------------------------------------------------------------------

MoneyReportList::MoneyReportList(QWidget* sheet) : ReportListPage(sheet, u"MReportADOQuery"_s, false) {
    MakeReport = MakeButton(u"MakeReport"_s, u"查找单据"_s);
    PrintReport = MakeButton(u"PrintReport"_s, u"打印列表"_s);
    SpeedButton7 = MakeButton(u"SpeedButton7"_s, u"导出Excel"_s);

    const auto amount = GridFormat::Amount;
    const auto centre = Qt::AlignCenter;
    BuildPage(u"DBGridEh1"_s,
              {
                  {u"MoneyCreateTime"_s, u"创建时间"_s, 70, centre, GridFormat::Date},
                  {u"MoneySerial"_s, u"单据编号"_s, 65, centre},
                  {u"AccountName"_s, u"帐户名称"_s, 80, centre},
                  {u"MoneyUser"_s, u"客户名称"_s, 100, centre},
                  {u"MoneyIn"_s, u"收入"_s, 65, centre, amount},
                  {u"MoneyOut"_s, u"支出"_s, 65, centre, amount},
                  {u"MoneySum"_s, u"合计"_s, 65, centre, amount, true},
                  {u"MoneyMan"_s, u"业务员"_s, 50, centre},
                  {u"MoneyReason"_s, u"收支种类"_s, 60, centre},
                  {u"MoneyType"_s, u"类别"_s, 60, centre},
                  {u"MoneyToken"_s, u"凭证"_s, 60, centre},
                  {u"MoneyRemark"_s, u"备注信息"_s, 100, centre},
              },
              {MakeReport, PrintReport, SpeedButton7}, u"ComboBox9"_s, {kByTime, u"按帐户排"_s, kByAmount});
    DBGridEh1 = Grid;
    ComboBox9 = SortCombo;

    connect(ComboBox9, &QComboBox::activated, this, &MoneyReportList::ComboBox9Change);
    connect(MakeReport, &QPushButton::clicked, this, &MoneyReportList::ActionMoneyReportExecute);
    connect(PrintReport, &QPushButton::clicked, this, &MoneyReportList::ActionPrintMoneyReportExecute);
    connect(SpeedButton7, &QPushButton::clicked, this, &MoneyReportList::ActionMExcelExecute);
    SetListButtons({PrintReport, SpeedButton7});
    connect(DBGridEh1, &TDataGrid::DoubleClicked, this, &MoneyReportList::DBGridEh1DblClick);
}

QString MoneyReportList::Filter() const {
    return VoucherFilter;
}

QString MoneyReportList::OrderClause() const {
    const QString order = ComboBox9->currentText();
    return MoneyListOrderClause(order == u"按帐户排"_s ? MoneyListOrder::ByAccount
                                : order == kByAmount   ? MoneyListOrder::ByAmount
                                                       : MoneyListOrder::ByTime);
}

Result<ListRows> MoneyReportList::OpenRows(const QString& kept) const {
    const QString order = ComboBox9->currentText();
    return OpenMoneyList(Db(), kept, Filter(),
                         order == u"按帐户排"_s ? MoneyListOrder::ByAccount
                         : order == kByAmount   ? MoneyListOrder::ByAmount
                                                : MoneyListOrder::ByTime);
}

void MoneyReportList::SetFooters() {
    DBGridEh1->SetFooterText(u"MoneyCreateTime"_s, CountText(MReportADOQuery.RecordCount()), Qt::black);
    DBGridEh1->SetFooterText(u"MoneyIn"_s, FormatAmount(MReportADOQuery.sums.value(u"MoneyIn"_s)), Qt::blue);
    DBGridEh1->SetFooterText(u"MoneyOut"_s, FormatAmount(MReportADOQuery.sums.value(u"MoneyOut"_s)), Qt::red);
    DBGridEh1->SetFooterText(u"MoneySum"_s, FormatAmount(MReportADOQuery.sums.value(u"MoneySum"_s)),
                             Qt::black);
}

void MoneyReportList::ActionMoneyReportExecute() {
    TheUi().ShowModal(FormMoneyReport);
}

void MoneyReportList::ComboBox9Change() {
    Run(QString());
}

void MoneyReportList::DBGridEh1DblClick() {
    const QVariant index = DBGridEh1->CurrentValue(u"MoneyIndex"_s);
    if (!MReportADOQuery.Active() || index.isNull()) {
        ShowMessage(kSelectFirst);
        return;
    }
    FormGetPay->OpenMode = OpenMode::Change;
    FormGetPay->DocKind = VoucherKindOfSum(DBGridEh1->CurrentFloat(u"MoneySum"_s));
    FormGetPay->CurrentVoucher = int(index.toLongLong());
    FormGetPay->CustomerFixed = false;
    if (TheUi().ShowModal(FormGetPay) == QDialog::Accepted) TheShell().RefreshAllViews();
}

} // namespace tev
