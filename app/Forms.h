#pragma once
// The windows of the program: each is created once at start-up, in a fixed order, and
// kept until the program ends.

namespace tev {

class TFormMain;
class TFormLogin;
class TFormAsk;
class TFormOnlineChat;

extern TFormMain* FormMain;
extern TFormLogin* FormLogin;
extern TFormAsk* FormAsk;
extern TFormOnlineChat* FormOnlineChat;

// Creates every window in the fixed order, the main window first and the data module
// second. No window touches the database while being created.
void CreateForms();
// Destroys them again (tests create a fresh set for every case).
void DestroyForms();

} // namespace tev
