#pragma once
// The windows of the program, one of each: declared here so that any window can set up and
// show another; made once at start-up by the composition root (app/Forms.cpp) and kept until
// the program ends.

namespace tev {

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
class TFormProgress;
class TFormOnlineChat;
class TFormUser;
class TFormUser2;
class TFormBillReport;
class TFormAnalysis;
class TFormAccount2;
class TFormCustomer3;

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
extern TFormProgress* FormProgress;
extern TFormOnlineChat* FormOnlineChat;
extern TFormUser* FormUser;
extern TFormUser2* FormUser2;
extern TFormBillReport* FormBillReport;
extern TFormAnalysis* FormAnalysis;
extern TFormAccount2* FormAccount2;
extern TFormCustomer3* FormCustomer3;

} // namespace tev
