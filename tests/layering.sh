#!/usr/bin/env bash
# The layers hold: message boxes, file dialogs, the desktop shell and the system clock are
# reached only through the window seam's Qt implementation; Qt SQL only inside data/.
set -u
src="$1"
cd "$src" || exit 1
fail=0
dirs="app ui domain access cards bills vouchers customers accounts reports maintenance data rules report_engine report_designer tools"
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
check 'QMessageBox|QFileDialog|QDesktopServices' '^(ui/Ui\.cpp:|report_designer/ReportHooks\.cpp:)' "dialogs and the desktop shell"
check 'QDate::currentDate|QDateTime::currentDateTime|QDateTime::currentMSecsSinceEpoch' '^(ui/Ui\.cpp:|app/main\.cpp:|tools/|report_engine/Report\.cpp:|report_designer/ReportHooks\.cpp:|data/Errors\.cpp:)' "the system clock"
check '#include <QSql|QSqlDatabase|QSqlQuery' '^data/' "Qt SQL"

# The floors: a file includes files of its own floor and of the floors below it, never above.
# rules (0) < data (1) < domain (2); report_engine (1) < report_designer (2); ui (3) < the
# windows' folders (4) < app and tools (5).
floor_of() {
    case "$1" in
        rules) echo 0 ;;
        data|report_engine) echo 1 ;;
        domain|report_designer) echo 2 ;;
        ui) echo 3 ;;
        access|cards|bills|vouchers|customers|accounts|reports|maintenance) echo 4 ;;
        app|tools) echo 5 ;;
        *) echo "" ;;
    esac
}
for dir in rules data report_engine domain report_designer ui access cards bills vouchers customers accounts reports maintenance app tools; do
    mine=$(floor_of "$dir")
    while IFS= read -r line; do
        file=${line%%:*}
        target=$(echo "$line" | sed -E 's/.*#include "([^/"]+)\/.*/\1/')
        theirs=$(floor_of "$target")
        [ -z "$theirs" ] && continue
        if [ "$theirs" -gt "$mine" ]; then
            echo "a floor above is included: $line"
            fail=1
        fi
    done < <(grep -rnE '^#include "[a-z_]+/' "$dir" --include='*.cpp' --include='*.h' 2>/dev/null)
done
# The business and the engine know no widget.
hits=$(grep -rnE '#include <Q(Widget|Dialog|Application|Label|PushButton|ComboBox|LineEdit|TableView|MainWindow|MessageBox|FileDialog|Action|Menu)\b|#include <QtWidgets' rules data domain report_engine --include='*.cpp' --include='*.h')
if [ -n "$hits" ]; then
    echo "widgets below the ground floor:"
    echo "$hits"
    fail=1
fi
# Windows hold no statement: no select, insert, update or delete text outside the domain.
hits=$(grep -rnE '"(Select|SELECT|Insert|INSERT|Update|UPDATE|Delete|DELETE) ' ui access cards bills vouchers customers accounts reports maintenance --include='*.cpp' --include='*.h')
if [ -n "$hits" ]; then
    echo "statements in the windows:"
    echo "$hits"
    fail=1
fi
exit $fail
