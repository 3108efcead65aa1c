#include "app/Forms.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "access/OnlineChatForm.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "vouchers/BillForm2.h"
#include "vouchers/GetPayForm.h"

namespace tev {

TFormMain* FormMain = nullptr;
TFormLogin* FormLogin = nullptr;
TFormBill* FormBill = nullptr;
TFormBuySell* FormBuySell = nullptr;
TFormGetPay* FormGetPay = nullptr;
TFormAsk* FormAsk = nullptr;
TFormBill2* FormBill2 = nullptr;
TFormOnlineChat* FormOnlineChat = nullptr;

void CreateForms() {
    // The fixed order: the main window first (closing it ends the program), the data
    // module second, then the windows in the order the program has always made them.
    FormMain = new TFormMain;
    ShareDM = new TShareDataModule;
    FormLogin = new TFormLogin(FormMain);
    FormBill = new TFormBill(FormMain);
    FormBuySell = new TFormBuySell(FormMain);
    FormGetPay = new TFormGetPay(FormMain);
    FormAsk = new TFormAsk(FormMain);
    FormBill2 = new TFormBill2(FormMain);
    FormOnlineChat = new TFormOnlineChat(FormMain);
}

void DestroyForms() {
    delete FormMain; // owns the dialogs
    FormMain = nullptr;
    FormLogin = nullptr;
    FormBill = nullptr;
    FormBuySell = nullptr;
    FormGetPay = nullptr;
    FormAsk = nullptr;
    FormBill2 = nullptr;
    FormOnlineChat = nullptr;
    delete ShareDM;
    ShareDM = nullptr;
}

} // namespace tev
