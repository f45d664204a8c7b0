#!/bin/sh
# Installs the Windows setup program silently into a fresh wine prefix, starts what it
# installed (slanter-cli.exe: a pattern list and conversions of a BMP file, a PNG file and
# an icon, the last two through the system's picture decoder), uninstalls it twice - keeping the user's settings, then deleting them with
# /DELETESETTINGS - and fails on anything left behind but the settings the user kept.
#   setup_round_trip.sh SETUP.EXE WINE_RUN PICTURE.BMP PICTURE.PNG HAS_DESKTOP(0|1)
set -eu
setup=$1 wine_run=$2 picture=$3 png=$4 desktop=$5
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { "$wine_run" "$@"; }

folder="$WINEPREFIX/drive_c/Slanter"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Bit Map Slanter"
settings='HKCU\Software\TAMRI Lab\Bit Map Slanter'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Bit Map Slanter'

# What a fresh prefix holds, apart from wine's own churn (its system folder and temp files).
listing() {
    (cd "$WINEPREFIX/drive_c" && find . | grep -v -e '^\./windows' -e '/Temp' | sort)
}

install() {
    # The setup program ends when it is done (no uninstaller copy runs on).
    run "$setup" /S '/D=C:\Slanter' || fail "the setup program failed"
    for file in slanter-cli.exe Slanter.html SlanterE.html Uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$file was not installed"
    done
    [ "$desktop" = 0 ] || [ -f "$folder/Slanter.exe" ] || fail "Slanter.exe was not installed"
    [ "$desktop" = 0 ] || [ -f "$menu/Bit Map Slanter.lnk" ] || fail "no Start-menu entry"
    ls "$menu"/*.lnk >/dev/null 2>&1 || fail "no Start-menu entry"
    run reg query "$uninstall_key" /v UninstallString >/dev/null || fail "no uninstall entry"
}

# The uninstaller copies itself to the temp folder and ends at once; the copy does the
# work. Waits until the copy has taken its own file away.
uninstall() {
    run "$folder/Uninstall.exe" /S "$@" || fail "the uninstaller failed"
    for _ in $(seq 1 120); do
        [ -e "$folder/Uninstall.exe" ] || [ -e "$menu" ] || return 0
        sleep 1
    done
    fail "the uninstaller did not finish"
}

run wineboot --init >/dev/null 2>&1 || true
before=$(listing)

install
run "$folder/slanter-cli.exe" patterns 4 3 | grep -q "angle" || fail "slanter-cli.exe does not start"
cp "$picture" "$work/picture.bmp"
cp "$png" "$work/picture.png"
/usr/bin/convert "$png" -resize 32x32! "$work/picture.ico"
for input in picture.bmp picture.png picture.ico; do
    run "$folder/slanter-cli.exe" convert "$work/$input" "$work/$input.result.bmp" --pattern 0 ||
        fail "slanter-cli.exe does not convert $input"
    [ -s "$work/$input.result.bmp" ] || fail "no conversion result of $input"
done
# The settings the desktop program keeps, as a user's run leaves them.
run reg add "$settings\\Folder" /v OpenPath /d 'C:\pictures\a.bmp' /f >/dev/null

uninstall
left_behind() {
    listing >"$work/after"
    echo "$before" | diff - "$work/after" >&2 && return 1
    return 0
}
left_behind && fail "files left behind"
run reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry was left"
run reg query "$settings\\Folder" /v OpenPath >/dev/null 2>&1 || fail "the kept settings are gone"

install
uninstall /DELETESETTINGS
left_behind && fail "files left behind after the second uninstall"
run reg query "$settings" >/dev/null 2>&1 && fail "the settings were not deleted"
echo "installed, started, converted and uninstalled; settings kept, then deleted"
