#include "ui/Shell.h"

#include <QtGlobal>

namespace tev {

namespace {
Shell* g_shell = nullptr;
} // namespace

Shell& TheShell() {
    Q_ASSERT_X(g_shell, "TheShell", "the main window is not made yet");
    return *g_shell;
}

void InstallShell(Shell* shell) {
    g_shell = shell;
}

} // namespace tev
