#!/usr/bin/env bash
# The layers hold: message boxes, file dialogs, the desktop shell and the system clock are
# reached only through the window seam's Qt implementation; Qt SQL only inside data/.
set -u
src="$1"
cd "$src" || exit 1
fail=0
dirs="app access cards bills vouchers customers accounts reports maintenance data rules report_engine tools"
check() {
    local pattern="$1" allowed="$2" what="$3"
    local hits
    hits=$(grep -rnE "$pattern" $dirs --include='*.cpp' --include='*.h' 2>/dev/null | grep -vE "$allowed")
    if [ -n "$hits" ]; then
        echo "$what outside its place:"
        echo "$hits"
        fail=1
    fi
}
check 'QMessageBox|QFileDialog|QDesktopServices' '^app/Ui\.cpp:' "dialogs and the desktop shell"
check 'QDate::currentDate|QDateTime::currentDateTime|QDateTime::currentMSecsSinceEpoch' '^(app/Ui\.cpp:|app/main\.cpp:|tools/|report_engine/Report\.cpp:|data/Errors\.cpp:)' "the system clock"
check '#include <QSql|QSqlDatabase|QSqlQuery' '^data/' "Qt SQL"
exit $fail
