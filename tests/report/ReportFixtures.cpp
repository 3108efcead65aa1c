#include "ReportFixtures.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace tev::testing {

QString FrfDir() {
    return QStringLiteral(TEV_SOURCE_DIR) + u"/resources/Frf"_s;
}
QString FrfPath(const QString& name) {
    return FrfDir() + u'/' + name;
}

namespace {

const QStringList kCustomers = {
    u"杭州明远贸易有限公司"_s,     u"李国华"_s, u"上海户外用品商行"_s, u"王建军"_s,
    u"宁波港角信息咨询有限公司"_s, u"陈晓梅"_s, u"苏州新天地置业"_s};
const QStringList kMen = {u"张晓燕"_s, u"王芳"_s, u"刘洋"_s};
const QStringList kReasons = {u"房屋租赁"_s, u"二手房买卖"_s, u"中介服务费"_s, u"装修介绍"_s};
const QStringList kStates = {u"已签合同"_s, u"洽谈中"_s, u"已完成"_s};
const QStringList kAccounts = {u"现金"_s, u"工商银行基本户"_s, u"支付宝"_s};

QString Day(int i) {
    return u"2024-05-%1"_s.arg(1 + i % 28, 2, 10, QLatin1Char('0'));
}

} // namespace

std::unique_ptr<ReportTable> BillList(int rows) {
    auto t = std::make_unique<ReportTable>(QStringList{
        u"BillIndex"_s, u"BillCreateTime"_s, u"BillSerial"_s, u"BillKind"_s, u"BillUser"_s, u"BillSum"_s,
        u"BillGet"_s, u"BillOwe"_s, u"BillMan"_s, u"BillReason"_s, u"BillState"_s, u"BillRemark"_s});
    for (int i = 0; i < rows; ++i) {
        const bool purchase = i % 5 == 4;
        const double sum = (purchase ? -1 : 1) * (1000.0 + 37.5 * i);
        const double got = i % 3 == 0 ? sum : (i % 3 == 1 ? 0.0 : sum / 2);
        t->AddRow({i + 2, Day(i),
                   u"%1%2"_s.arg(purchase ? u"CG"_s : u"XS"_s).arg(100 + i, 6, 10, QLatin1Char('0')),
                   purchase ? u"采购开单"_s : u"销售开单"_s, kCustomers[i % kCustomers.size()], sum, got,
                   sum - got, kMen[i % kMen.size()], kReasons[i % kReasons.size()],
                   kStates[i % kStates.size()], i % 4 == 0 ? u"客户要求开具发票"_s : QString()});
    }
    return t;
}

std::unique_ptr<ReportTable> MoneyList(int rows) {
    auto t = std::make_unique<ReportTable>(
        QStringList{u"MoneyIndex"_s, u"MoneyCreateTime"_s, u"MoneySerial"_s, u"AccountName"_s, u"MoneyUser"_s,
                    u"MoneyIn"_s, u"MoneyOut"_s, u"MoneySum"_s, u"MoneyMan"_s, u"MoneyReason"_s,
                    u"MoneyType"_s, u"MoneyToken"_s, u"MoneyRemark"_s});
    for (int i = 0; i < rows; ++i) {
        const bool out = i % 4 == 3;
        const double amount = 200.0 + 12.25 * i;
        t->AddRow({i + 2, Day(i),
                   u"%1%2"_s.arg(out ? u"FK"_s : u"SK"_s).arg(300 + i, 6, 10, QLatin1Char('0')),
                   kAccounts[i % kAccounts.size()], kCustomers[i % kCustomers.size()], out ? 0.0 : amount,
                   out ? amount : 0.0, out ? -amount : amount, kMen[i % kMen.size()],
                   kReasons[i % kReasons.size()], out ? u"办公费用"_s : u"佣金收入"_s,
                   i % 2 ? u"收据"_s : u"发票"_s, i % 5 == 0 ? u"分期付款第一笔"_s : QString()});
    }
    return t;
}

ReportFixtures::ReportFixtures()
    : billVouchers({u"MoneyIndex"_s, u"MoneyCreateTime"_s, u"MoneySerial"_s, u"AccountName"_s, u"MoneyIn"_s,
                    u"MoneyOut"_s, u"MoneySum"_s}),
      billRow({u"BillIndex"_s, u"BillCreateTime"_s, u"BillSerial"_s, u"BillKind"_s, u"BillUser"_s,
               u"BillSum"_s, u"BillGet"_s, u"BillOwe"_s, u"BillMan"_s, u"BillReason"_s, u"BillState"_s,
               u"BillRemark"_s}),
      bigFont({u"BigFontValue"_s}),
      voucher({u"MSum"_s, u"MoneyKindText"_s, u"AccountName"_s, u"MoneyIndex"_s, u"MoneyAccount"_s, u"MoneyBill"_s, u"MoneyCreateTime"_s,
               u"MoneyRecordTime"_s, u"MoneyUser"_s, u"MoneyReason"_s, u"MoneyIn"_s, u"MoneyOut"_s,
               u"MoneySum"_s, u"MoneyType"_s, u"MoneyToken"_s, u"MoneyRemark"_s, u"MoneySerial"_s,
               u"MoneyMan"_s}),
      billList(BillList(100)), moneyList(MoneyList(100)),
      customerMonth({u"ReportEnable"_s, u"ReportGrid1"_s, u"ReportGrid2"_s, u"ReportGrid3"_s,
                     u"ReportGrid4"_s, u"ReportGrid5"_s, u"ReportGrid6"_s, u"ReportGrid7"_s, u"ReportGrid8"_s,
                     u"ReportGrid9"_s}),
      accountMonth({u"ReportEnable"_s, u"ReportGrid1"_s, u"ReportGrid2"_s, u"ReportGrid3"_s, u"ReportGrid4"_s,
                    u"ReportGrid5"_s, u"ReportGrid6"_s, u"ReportGrid7"_s, u"ReportGrid8"_s,
                    u"ReportGrid9"_s}),
      period({u"ListIndex"_s, u"ListValue"_s}), title({u"ListIndex"_s, u"ListValue"_s}) {
    billVouchers.AddRow({21, u"2024-05-03"_s, u"SK000031"_s, u"工商银行基本户"_s, 300.0, 0.0, 300.0});
    billVouchers.AddRow({24, u"2024-05-10"_s, u"SK000034"_s, u"现金"_s, 200.0, 0.0, 200.0});
    billRow.AddRow({12, u"2024-05-03"_s, u"XS000125"_s, u"销售开单"_s, u"杭州明远贸易有限公司"_s, 1000.0,
                    500.0, 500.0, u"张晓燕"_s, u"房屋租赁"_s, u"已签合同"_s,
                    u"客户要求分两次付款，余款于月底前结清。"_s});
    bigFont.AddRow({QString::fromUtf16(kCapitals1000)});
    voucher.AddRow({80.5, u"支出"_s, u"工商银行基本户"_s, 33, 2, 0, u"2024-05-06"_s, u"2024-05-06"_s, u"上海户外用品商行"_s, u"中介服务费"_s,
                    0.0, 80.5, -80.5, u"办公费用"_s, u"收据"_s, u"代付看房交通费"_s, u"FK000018"_s,
                    u"王芳"_s});

    const QList<QStringList> customers = {
        {u"杭州明远贸易有限公司"_s, u"0"_s, u"12500"_s, u"8000"_s, u"3200.5"_s, u"7700.5"_s},
        {u"李国华"_s, u"300"_s, u"500"_s, u"200"_s, u"100"_s, u"100"_s},
        {u"上海户外用品商行"_s, u"0"_s, u"0"_s, u"0"_s, u"1500"_s, u"1500"_s},
        {u"宁波港角信息咨询有限公司"_s, u"2680"_s, u"15800.75"_s, u"9000"_s, u"0"_s, u"4120.75"_s},
    };
    for (const QStringList& c : customers)
        customerMonth.AddRow({true, c[0], c[1], c[2], c[3], c[4], c[5]});
    customerMonth.AddRow(
        {true, u"总合计"_s, u"2980"_s, u"28800.75"_s, u"17200"_s, u"4800.5"_s, u"13421.25"_s});

    const QList<QStringList> accounts = {
        {u"现金"_s, u"1050"_s, u"300"_s, u"120"_s, u"180"_s, u"1230"_s},
        {u"工商银行基本户"_s, u"58000"_s, u"26500.5"_s, u"12000"_s, u"14500.5"_s, u"72500.5"_s},
        {u"支付宝"_s, u"0"_s, u"800"_s, u"0"_s, u"800"_s, u"800"_s},
    };
    for (const QStringList& a : accounts)
        accountMonth.AddRow({true, a[0], a[1], a[2], a[3], a[4], a[5]});
    accountMonth.AddRow(
        {true, u"总合计"_s, u"59050"_s, u"27600.5"_s, u"12120"_s, u"15480.5"_s, u"74530.5"_s});

    period.AddRow({1, u"2024年5月份"_s});
    title.AddRow({2, u"各客户应收款"_s});
}

bool ReportFixtures::Bind(Report& report, const QString& name) {
    const bool loaded = report.LoadFromFile(FrfPath(name));
    report.SetToday(QDate(2024, 5, 31));
    if (name == u"Bill.frf"_s) {
        report.SetMainDataSet(&billVouchers, u"ADOQueryGrid"_s);
        report.SetDataSet(u"ADOQuery1"_s, &billRow);
        report.SetDataSet(u"ADOQueryBigFont"_s, &bigFont);
    } else if (name == u"Money.frf"_s) {
        report.SetMainDataSet(&voucher, u"ADOQueryTemp"_s);
        report.SetVariableCallback([this](const QString& variable, QVariant& value) {
            if (variable == u"MoneyCN"_s) {
                ++moneyCnAsked;
                value = QString::fromUtf16(kCapitals80_5);
            }
        });
        report.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Load | PreviewButton::Save |
                                 PreviewButton::Print | PreviewButton::Find | PreviewButton::Help |
                                 PreviewButton::Exit);
    } else if (name.startsWith(u"BillReport"_s) || name.startsWith(u"MoneyReport"_s)) {
        if (name.startsWith(u"BillReport"_s))
            report.SetMainDataSet(billList.get(), u"BReportADOQuery"_s);
        else
            report.SetMainDataSet(moneyList.get(), u"MReportADOQuery"_s);
        // The list says what it shows.
        report.SetVariableCallback([](const QString& variable, QVariant& value) {
            if (variable == u"ListConditions"_s) value = u"本月（2024年5月）"_s;
        });
    } else if (name == u"CustomerMonth.frf"_s) {
        report.SetMainDataSet(&customerMonth, u"ADOQueryBig"_s);
        report.SetDataSet(u"ADOQueryTemp"_s, &period);
        report.SetDataSet(u"ADOQueryTemp2"_s, &title);
    } else if (name == u"MoneyMonth.frf"_s) {
        report.SetMainDataSet(&accountMonth, u"ADOQueryBig"_s);
        report.SetDataSet(u"ADOQueryTemp"_s, &period);
    }
    return loaded;
}

} // namespace tev::testing
