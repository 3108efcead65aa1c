#!/usr/bin/env bash
# The program installs like a desktop program: `cmake --install` puts the program with its
# pictures and templates in its own folder, a command on the path, a valid desktop entry and
# the icon in the desktop's icon theme.
set -u
src="$1"
build="$2"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
fail=0

desktop-file-validate "$src/resources/desktop/tevrano.desktop" || { echo "the desktop entry is not valid"; fail=1; }

cmake --install "$build" --prefix "$dest/usr" >/dev/null || { echo "cmake --install failed"; exit 1; }
for f in usr/lib/tevrano/Tevrano usr/lib/tevrano/Res/LeftBar.bmp usr/lib/tevrano/Res/Tevrano.png \
         usr/lib/tevrano/Faces/39.bmp usr/lib/tevrano/Frf/Bill.frf usr/lib/tevrano/Frf/MoneyMonth.frf \
         usr/share/applications/tevrano.desktop usr/share/icons/hicolor/48x48/apps/tevrano.png \
         usr/share/icons/hicolor/256x256/apps/tevrano.png; do
    [ -f "$dest/$f" ] || { echo "not installed: $f"; fail=1; }
done
[ "$(readlink -f "$dest/usr/bin/tevrano")" = "$dest/usr/lib/tevrano/Tevrano" ] \
    || { echo "usr/bin/tevrano does not lead to the program"; fail=1; }
[ -e "$dest/usr/lib/tevrano/Tevrano.mdb" ] && { echo "a database was installed into the program folder"; fail=1; }
[ -e "$dest/usr/lib/tevrano/Res/.stamp" ] && { echo "build stamps were installed"; fail=1; }
desktop-file-validate "$dest/usr/share/applications/tevrano.desktop" || fail=1
[ $fail = 0 ] && echo "installed: program, pictures, templates, command, desktop entry and icons"
exit $fail
