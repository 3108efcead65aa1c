#include "app/Forms.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "access/OnlineChatForm.h"
#include "access/UserForm.h"
#include "access/UserForm2.h"
#include "accounts/AccountForm.h"
#include "accounts/AccountForm2.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "cards/AccountCards.h"
#include "cards/BillCards.h"
#include "cards/CustomerCards.h"
#include "cards/VoucherCards.h"
#include "customers/CustomerForm.h"
#include "customers/CustomerForm2.h"
#include "customers/CustomerForm3.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/SettingsPage.h"
#include "reports/AnalysisForm.h"
#include "reports/BillReportForm.h"
#include "reports/MoneyReportForm.h"
#include "reports/ProgressForm.h"
#include "reports/ReportLists.h"
#include "ui/ReportSupport.h"
#include "ui/Ui.h"
#include "vouchers/BillForm2.h"
#include "vouchers/GetPayForm.h"

namespace tev {

TFormMain* FormMain = nullptr;
TFormLogin* FormLogin = nullptr;
TFormBill* FormBill = nullptr;
TFormBuySell* FormBuySell = nullptr;
TFormGetPay* FormGetPay = nullptr;
TFormAsk* FormAsk = nullptr;
TFormAccount* FormAccount = nullptr;
TFormMoneyReport* FormMoneyReport = nullptr;
TFormBill2* FormBill2 = nullptr;
TFormCustomer* FormCustomer = nullptr;
TFormCustomer2* FormCustomer2 = nullptr;
TFormProgress* FormProgress = nullptr;
TFormOnlineChat* FormOnlineChat = nullptr;
TFormUser* FormUser = nullptr;
TFormUser2* FormUser2 = nullptr;
TFormBillReport* FormBillReport = nullptr;
TFormAnalysis* FormAnalysis = nullptr;
TFormAccount2* FormAccount2 = nullptr;
TFormCustomer3* FormCustomer3 = nullptr;

void CreateForms() {
    // The report engine's windows speak through the same seam as every other window.
    InstallReportSeam();
    // The fixed order: the main window first (closing it ends the program), the data
    // module second, then the windows in the order the program has always made them.
    FormMain = new TFormMain;
    ShareDM = new TShareDataModule;
    FormLogin = new TFormLogin(FormMain);
    FormBill = new TFormBill(FormMain);
    FormBuySell = new TFormBuySell(FormMain);
    FormGetPay = new TFormGetPay(FormMain);
    FormAsk = new TFormAsk(FormMain);
    FormAccount = new TFormAccount(FormMain);
    FormMoneyReport = new TFormMoneyReport(FormMain);
    FormBill2 = new TFormBill2(FormMain);
    FormCustomer = new TFormCustomer(FormMain);
    FormCustomer2 = new TFormCustomer2(FormMain);
    FormProgress = new TFormProgress(FormMain);
    FormOnlineChat = new TFormOnlineChat(FormMain);
    FormUser = new TFormUser(FormMain);
    FormUser2 = new TFormUser2(FormMain);
    FormBillReport = new TFormBillReport(FormMain);
    FormAnalysis = new TFormAnalysis(FormMain);
    FormAccount2 = new TFormAccount2(FormMain);
    FormCustomer3 = new TFormCustomer3(FormMain);

    // The contents of the main window's pages.
    auto* customers =
        new CustomerCardPage(FormMain->TabSheet8, {nullptr, FormMain->ComboBox6, FormMain->ComboBox7});
    customers->ShowCustomerWindow = [](qint64 customerIndex) {
        FormCustomer->CurrentCustomer = int(customerIndex);
        return TheUi().ShowModal(FormCustomer);
    };
    FormMain->CustomerCards = customers;
    FormMain->BillCards = new BillCardPage(FormMain->TabSheet1,
                                           {FormMain->ComboBox3, FormMain->ComboBox8, FormMain->ComboBox10});
    FormMain->VoucherCards = new VoucherCardPage(
        FormMain->TabSheet7, {FormMain->ComboBox4, FormMain->ComboBox11, FormMain->ComboBox12});
    FormMain->BillReport = new BillReportList(FormMain->TabSheet2);
    FormMain->MoneyReport = new MoneyReportList(FormMain->TabSheet4);
    FormMain->AccountCards = new AccountCardPage(FormMain->TabSheet3);
    new MaintenancePage(FormMain->TabSheet6, FormMain->ActionButtonSave2);
    FormMain->Settings = new SettingsContent(FormMain->TabSheet5);
}

bool StartProgram(int& exitCode) {
    exitCode = 0;
    if (!FormMain->FormShow()) {
        exitCode = FormMain->ExitCode;
        return false;
    }
    FormMain->show();
    return true;
}

void DestroyForms() {
    delete FormMain; // owns the dialogs
    FormMain = nullptr;
    FormLogin = nullptr;
    FormBill = nullptr;
    FormBuySell = nullptr;
    FormGetPay = nullptr;
    FormAsk = nullptr;
    FormAccount = nullptr;
    FormMoneyReport = nullptr;
    FormBill2 = nullptr;
    FormCustomer = nullptr;
    FormCustomer2 = nullptr;
    FormProgress = nullptr;
    FormOnlineChat = nullptr;
    FormUser = nullptr;
    FormUser2 = nullptr;
    FormBillReport = nullptr;
    FormAnalysis = nullptr;
    FormAccount2 = nullptr;
    FormCustomer3 = nullptr;
    delete ShareDM;
    ShareDM = nullptr;
}

} // namespace tev
