#include "app/Forms.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "access/OnlineChatForm.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"

namespace tev {

TFormMain* FormMain = nullptr;
TFormLogin* FormLogin = nullptr;
TFormAsk* FormAsk = nullptr;
TFormOnlineChat* FormOnlineChat = nullptr;

void CreateForms() {
    // The fixed order: the main window first (closing it ends the program), the data
    // module second, then the windows in the order the program has always made them.
    FormMain = new TFormMain;
    ShareDM = new TShareDataModule;
    FormLogin = new TFormLogin(FormMain);
    FormAsk = new TFormAsk(FormMain);
    FormOnlineChat = new TFormOnlineChat(FormMain);
}

void DestroyForms() {
    delete FormMain; // owns the dialogs
    FormMain = nullptr;
    FormLogin = nullptr;
    FormAsk = nullptr;
    FormOnlineChat = nullptr;
    delete ShareDM;
    ShareDM = nullptr;
}

} // namespace tev
