#pragma once
// The windows of the program: each is created once at start-up, in a fixed order, and
// kept until the program ends.

namespace tev {

class TFormMain;
class TFormLogin;
class TFormBill;
class TFormBuySell;
class TFormGetPay;
class TFormAsk;
class TFormAccount;
class TFormMoneyReport;
class TFormBill2;
class TFormCustomer;
class TFormCustomer2;
class TFormOnlineChat;
class TFormBillReport;
class TFormAccount2;
class TFormCustomer3;

extern TFormMain* FormMain;
extern TFormLogin* FormLogin;
extern TFormBill* FormBill;
extern TFormBuySell* FormBuySell;
extern TFormGetPay* FormGetPay;
extern TFormAsk* FormAsk;
extern TFormAccount* FormAccount;
extern TFormMoneyReport* FormMoneyReport;
extern TFormBill2* FormBill2;
extern TFormCustomer* FormCustomer;
extern TFormCustomer2* FormCustomer2;
extern TFormOnlineChat* FormOnlineChat;
extern TFormBillReport* FormBillReport;
extern TFormAccount2* FormAccount2;
extern TFormCustomer3* FormCustomer3;

// Creates every window in the fixed order, the main window first and the data module
// second. No window touches the database while being created.
void CreateForms();
// Destroys them again (tests create a fresh set for every case).
void DestroyForms();

} // namespace tev
