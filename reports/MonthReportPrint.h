#pragma once
// Printing the monthly reports: "客户报表" on the customers page and "帐户报表" on the
// accounts page. Each computes its figures with the progress window up, writes them into the
// row pool with the headings, and previews them through the main window's frReport1 with the
// template of Frf/.

#include "domain/Customers.h"

#include <QString>

namespace tev {

// The monthly customer report of the customers page's list as options describe it (every page
// of it, in its order) for the month of the working date; salesman names the one whose customers
// alone are listed (empty: everybody's). No customer: "无客户记录可以统计" and nothing is
// printed; a statement the database refuses is reported and nothing is printed.
void PrintCustomerMonthReport(const CustomerListOptions& options, const QString& salesman);
// The monthly account report of the accounts the user may see. No account: nothing happens.
void PrintAccountMonthReport(const QString& accountFilter, const QString& salesman);

} // namespace tev
