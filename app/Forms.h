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

// The start: the database check, the connection and the first sign-in, with the main window
// still hidden, so that nothing of the business is on screen before somebody has signed in;
// the main window is shown after a successful sign-in. False when the program must end, with
// its exit status in exitCode (0 after a cancelled sign-in).
bool StartProgram(int& exitCode);

} // namespace tev
