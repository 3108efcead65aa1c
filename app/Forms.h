#pragma once
// The composition root: every window is created once at start-up, in a fixed order, and
// kept until the program ends; the start runs the sign-in before the main window shows.

#include "ui/Forms.h"

namespace tev {

class TFormMain;
extern TFormMain* FormMain;

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
