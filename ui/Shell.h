#pragma once
// What the windows ask of the main window: the working date, refreshing the pages after a
// change, running the report lists and showing a page. The main window implements it and
// installs itself; a window reaches it through TheShell() and never includes the main window.

#include "domain/ListRequest.h"

#include <QDate>

class QWidget;

namespace tev {

class MonthReportObject;

class Shell {
public:
    // Page indices of the main window's page control.
    enum Page {
        CustomerPage = 0,
        BillPage,
        BillReportPage,
        AccountPage,
        VoucherPage,
        MoneyReportPage,
        SettingsPage,
        MaintenancePage,
        PageCount
    };

    virtual ~Shell() = default;
    virtual QDate WorkingDate() const = 0;
    // Rebuilds the card pages and runs the report lists again.
    virtual void RefreshAllViews() = 0;
    virtual void RefreshCustomerCards() = 0;
    virtual void RefreshBillCards() = 0;
    virtual void RefreshVoucherCards() = 0;
    virtual void RefreshAccountCards() = 0;
    // Runs a report list with a new request, or with an empty one the kept request again.
    virtual void RunBillReport(const ListRequest& request) = 0;
    virtual void RunMoneyReport(const ListRequest& request) = 0;
    // The report object of the monthly reports and the designer, with the rows it prints.
    virtual MonthReportObject& MonthReport() = 0;
    // Makes a page the active one.
    virtual void ShowPage(Page page) = 0;
    // The window that messages of the pages belong to.
    virtual QWidget* Window() = 0;
    // Ends the program (after a restore: nothing may go on with data of the replaced file).
    virtual void EndProgram() = 0;
};

Shell& TheShell();
// The main window installs itself when it is made; nullptr uninstalls.
void InstallShell(Shell* shell);

} // namespace tev
