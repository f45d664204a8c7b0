#!/bin/sh
# Installs the Windows setup program silently into a fresh wine prefix, starts what it
# installed (slanter-cli.exe: a pattern list and conversions of a BMP file, a PNG file, an
# icon and a file named outside any single-byte code page; the desktop program as a user
# runs it, on the display DISPLAY names: a picture converted and saved, its settings in
# the registry), uninstalls it twice - keeping the user's settings, then deleting them
# with /DELETESETTINGS - and fails on anything left behind but the settings the user kept;
# then, with the desktop program, once more in Japanese through the setup's own pages.
#   setup_round_trip.sh SETUP.EXE WINE_RUN PICTURE.BMP PICTURE.PNG HAS_DESKTOP(0|1)
set -eu
setup=$1 wine_run=$2 picture=$3 png=$4 desktop=$5
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads the words it is given in the locale's character set: UTF-8, so that names
# outside ASCII reach the programs whole.
export LC_ALL=C.UTF-8
fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "windows shown:" >&2
        for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            echo "  $(xdotool getwindowname "$window")" >&2
        done
    fi
    exit 1
}
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

# The settings as the registry holds them, to be read by setting SECTION NAME: the stored
# text as a .reg file writes it ("..." for a text), nothing when the value is missing.
export_settings() {
    rm -f "$work/settings.reg"
    run reg export "$settings" "$(winepath -w "$work/settings.reg")" >/dev/null 2>&1 ||
        fail "no settings in the registry"
    iconv -f UTF-16 -t UTF-8 "$work/settings.reg" | tr -d '\r' >"$work/settings.txt"
}
setting() {
    section="[HKEY_CURRENT_USER\\${settings#HKCU\\}\\$1]" name="\"$2\"=" awk '
        /^\[/ { inside = ($0 == ENVIRON["section"]) }
        inside && index($0, ENVIRON["name"]) == 1 { print substr($0, length(ENVIRON["name"]) + 1) }
    ' "$work/settings.txt" | sed 's/^"\(.*\)"$/\1/'
}
expect_setting() {
    found=$(setting "$1" "$2")
    [ "$found" = "$3" ] || fail "setting $1\\$2 is '$found', not '$3'"
}
# A Windows name as a .reg file writes it.
reg_text() { winepath -w "$1" | sed 's/\\/\\\\/g'; }

wait_for() {
    seconds=$1
    shift
    for _ in $(seq 1 $((seconds * 4))); do
        "$@" && return 0
        sleep 0.25
    done
    return 1
}
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_ended() { ! kill -0 "$1" 2>/dev/null; }
# Alt+F4 to the main window until the program has ended: under load the key can come
# before the window manager has made the window active.
quit_program() {
    for _ in 1 2 3 4; do
        xdotool windowactivate --sync "$(window '^Bit Map Slanter$')" key alt+F4 2>/dev/null
        wait_for 15 has_ended "$program" && return 0
    done
    fail "the program did not end"
}

# The desktop program as a user runs it: started from where its Start-menu entry points
# with a picture, the list's first pattern chosen and converted, the result saved as a PNG
# file through Save As, the program quit; the file must hold slanter-cli.exe's bytes.
use_desktop_program() {
    target=$(strings "$menu/Bit Map Slanter.lnk" | grep -i '^[a-z]:\\.*\.exe$' | head -1)
    [ "$target" = 'C:\Slanter\Slanter.exe' ] || fail "the Start-menu entry points to '$target'"
    run "$target" /ENGLISH "$(winepath -w "$work/picture.bmp")" >"$work/desktop.log" 2>&1 &
    program=$!
    wait_for 90 shown '^Method$' || fail "the method window did not show"
    method=$(window '^Method$')
    xdotool windowactivate --sync "$method"
    # Into the list (designed at 161,20 to 273,97), its first row, then Convert (81,90).
    xdotool mousemove --window "$method" 250 60 click 1
    xdotool key --window "$method" Home
    xdotool mousemove --window "$method" 119 101 click 1
    wait_for 30 shown '^Converted' || fail "no result window"
    result=$(window '^Converted')
    # Save As answers once the conversion is done.
    asked() {
        xdotool windowactivate --sync "$result" key ctrl+shift+s 2>/dev/null
        wait_for 2 shown '^Save As$'
    }
    wait_for 120 asked || fail "no Save As dialog"
    xdotool type --delay 20 "$(winepath -w "$work/saved.png")"
    xdotool key Return
    wait_for 30 test -s "$work/saved.png" || fail "the result was not saved"
    run "$folder/slanter-cli.exe" convert "$(winepath -w "$work/picture.bmp")" \
        "$(winepath -w "$work/cli.png")" --pattern 0 || fail "slanter-cli.exe did not convert"
    cmp "$work/saved.png" "$work/cli.png" >&2 || fail "the saved result differs from slanter-cli.exe's"
    quit_program
    wait "$program" || fail "the program ended with status $?: $(cat "$work/desktop.log")"

    export_settings
    expect_setting Application Title "Bit Map Slanter"
    expect_setting Application Path 'C:\\Slanter\\'
    expect_setting Application ExeName Slanter
    expect_setting Application MajorVersion 3
    expect_setting Application MinorVersion 0
    expect_setting Application Revision 2
    expect_setting Folder OpenPath "$(reg_text "$work/picture.bmp")"
    expect_setting Folder SavePath "$(reg_text "$work")\\\\"
    expect_setting MainForm State Normal
    expect_setting MethodForm Row Horizontal
    expect_setting MethodForm Rotation Anti-Clockwize
    expect_setting MethodForm Smoothing OFF
    expect_setting MethodForm Sort Angle
    for form in MainForm MethodForm PreviewForm; do
        for name in Left Top; do
            setting $form $name | grep -q '^-\?[0-9][0-9]*$' || fail "no $form\\$name"
        done
    done
    setting MethodForm 'Width(3)' | grep -q '^[0-9][0-9]*$' || fail "no column width"
    # Its frame keeps its size, so it has none to keep.
    [ -z "$(setting PreviewForm Width)" ] || fail "a width kept for the preview window"
    grep -q '^"[^"]*"=[^"]' "$work/settings.txt" && fail "a setting that is not a text"

    # Started from a folder whose name ends a character in the byte 0x81 (ぁ in UTF-8,
    # the program's code page), it still knows its folder and name.
    mkdir "$WINEPREFIX/drive_c/ぁ"
    cp "$folder/Slanter.exe" "$WINEPREFIX/drive_c/ぁ/"
    run 'C:\ぁ\Slanter.exe' /ENGLISH >"$work/desktop.log" 2>&1 &
    program=$!
    wait_for 90 shown '^Bit Map Slanter$' || fail "the program did not start from C:\\ぁ"
    quit_program
    rm -r "$WINEPREFIX/drive_c/ぁ"
    export_settings
    expect_setting Application Path 'C:\\ぁ\\'
    expect_setting Application ExeName Slanter
}

# The setup program as a Japanese system shows it, driven through its pages: the language
# asked (the system's preselected), the folder, the files; then the Japanese Start-menu
# entry, the desktop program in Japanese without a switch, and the uninstaller.
japanese_setup() {
    # Wine speaks the language of the locale; one made here needs no root.
    locales="$work/locales"
    mkdir -p "$locales"
    if ! localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" >/dev/null 2>&1 &&
        [ ! -f "$locales/ja_JP.UTF-8/LC_CTYPE" ]; then
        echo "SKIPPED the Japanese setup: no ja_JP locale to make (Debian package locales)"
        return 0
    fi
    (
        export LOCPATH="$locales" LC_ALL=ja_JP.UTF-8
        exec "$wine_run" "$setup" '/D=C:\Slanter'
    ) >"$work/setup.log" 2>&1 &
    program=$!
    wait_for 90 shown '^Installer Language$' || fail "the setup program asked no language"
    xdotool windowactivate --sync "$(window '^Installer Language$')" key Return
    wait_for 30 shown '^Bit Map Slanter セットアップ' || fail "no Japanese setup window"
    xdotool windowactivate --sync "$(window '^Bit Map Slanter セットアップ')" key Return
    wait_for 60 test -f "$folder/Uninstall.exe" || fail "the Japanese setup installed nothing"
    sleep 1
    xdotool windowactivate --sync "$(window '^Bit Map Slanter セットアップ')" key Return
    wait_for 60 has_ended "$program" || fail "the Japanese setup program did not end"
    [ -f "$menu/Bit Map Slanter ヘルプ.lnk" ] || fail "no Japanese help entry in the Start menu"
    [ -f "$menu/Bit Map Slanter.lnk" ] || fail "no Start-menu entry for the program"
    (
        export LOCPATH="$locales" LC_ALL=ja_JP.UTF-8
        exec "$wine_run" 'C:\Slanter\Slanter.exe' "$(winepath -w "$work/picture.bmp")"
    ) >"$work/desktop.log" 2>&1 &
    program=$!
    wait_for 90 shown '^変換方法$' || fail "the program did not speak Japanese"
    quit_program
    uninstall /DELETESETTINGS
    left_behind && fail "files left behind by the Japanese uninstaller"
    run reg query "$settings" >/dev/null 2>&1 && fail "the settings were not deleted"
    return 0
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
# A name no single-byte code page holds: read in UTF-8, its own code page.
cp "$png" "$work/写真ぁ.png"
run "$folder/slanter-cli.exe" convert "$(winepath -w "$work/写真ぁ.png")" \
    "$(winepath -w "$work/写真ぁ.bmp")" --pattern 0 || fail "slanter-cli.exe does not open 写真ぁ.png"
[ "$desktop" = 0 ] || use_desktop_program
# The settings the desktop program keeps, as a user's run leaves them.
[ "$desktop" = 1 ] || run reg add "$settings\\Folder" /v OpenPath /d 'C:\pictures\a.bmp' /f >/dev/null

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
[ "$desktop" = 0 ] || japanese_setup
echo "installed, started, converted, saved and uninstalled; settings kept, then deleted"
