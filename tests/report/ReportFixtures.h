#pragma once
// Data sets shaped like the program's queries, with realistic Chinese content, and the
// binding of each shipped template to them.

#include "report_engine/Report.h"

#include <QString>

#include <memory>

namespace tev::testing {

QString FrfDir();
QString FrfPath(const QString& name);

// Capital text of the amounts used below, as the program computes it.
inline constexpr char16_t kCapitals1000[] = u"壹仟　零佰　零拾　零元　零角　零分　";
inline constexpr char16_t kCapitals80_5[] = u"捌拾　零元　伍角　零分　";

// The bill list query (BReportADOQuery) with `rows` bills.
std::unique_ptr<ReportTable> BillList(int rows);
// The voucher list query (MReportADOQuery) with `rows` vouchers.
std::unique_ptr<ReportTable> MoneyList(int rows);

// Everything the eight templates read, kept alive for a test.
struct ReportFixtures {
    ReportFixtures();

    ReportTable billVouchers; // ADOQueryGrid: vouchers 300 and 200 of a sales bill of 1000
    ReportTable billRow;      // ADOQuery1
    ReportTable bigFont;      // ADOQueryBigFont
    ReportTable voucher;      // ADOQueryTemp of the voucher print: an expense of 80.5
    std::unique_ptr<ReportTable> billList;
    std::unique_ptr<ReportTable> moneyList;
    ReportTable customerMonth; // ADOQueryBig
    ReportTable accountMonth;  // ADOQueryBig
    ReportTable period;        // ADOQueryTemp: PrintList row 1
    ReportTable title;         // ADOQueryTemp2: PrintList row 2
    int moneyCnAsked = 0;

    // Loads the template and binds the data sets, buttons and variables its caller binds.
    bool Bind(Report& report, const QString& templateName);
};

} // namespace tev::testing
