#!/usr/bin/env bash
# Makes the Debian package of a built release folder, has lintian look at it, installs
# it, runs the installed programs, and removes it again, checking that every file it
# installed is gone. Installing changes the machine: only as root, and only where no
# slanter package is installed already (a user's own stays untouched); otherwise the
# test is skipped (exit 77).
#
#     check_package.sh BUILD_FOLDER HELP_LOOKUP SOURCE_FOLDER
set -euo pipefail
build=$1 lookup=$2 source=$3

if [[ $(id -u) -ne 0 ]]; then
    echo "skipped: installing the package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' slanter 2>/dev/null | grep -q installed; then
    echo "skipped: a slanter package is installed on this machine already"
    exit 77
fi

work=$(mktemp -d)
installed=false
cleanup() {
    if $installed; then dpkg_waiting -r slanter >/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
# Other programs may be installing packages at the same time; dpkg then waits for them.
dpkg_waiting() {
    local tries=0 output
    until output=$(dpkg "$@" 2>&1); do
        if [[ $output != *lock* ]] || ((++tries > 120)); then
            echo "$output" >&2
            return 1
        fi
        sleep 5
    done
}

echo "== the package"
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/package/slanter_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "cpack made no package"
dpkg-deb --field "$deb"

echo "== lintian"
# Errors fail the test; the warnings and notes are shown for the reader.
lintian --display-level '>=info' --fail-on error "$deb" || fail "lintian reports errors"

echo "== installed"
dpkg_waiting -i "$deb" || fail "dpkg -i"
installed=true
dpkg -L slanter >"$work/files"

export HOME=$work/home TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/home/.config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$TMPDIR"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The version the programs show is the package's: 3.0.2 is Ver.3.00 Rev.2.
IFS=. read -r major minor revision <<<"$(dpkg-deb -f "$deb" Version)"
expected="slanter-cli (Bit Map Slanter) Ver.$major.$(printf %02d "$minor")  Rev.$revision"
version=$(/usr/bin/slanter-cli --version)
[[ $version == "$expected" ]] || fail "slanter-cli --version: '$version', wanted '$expected'"

/usr/bin/slanter-cli convert "$source/tests/data/bmpsuite/g/pal8.bmp" "$work/tile.png" --angle 30 ||
    fail "the installed slanter-cli does not convert"
/usr/bin/slanter-cli info "$work/tile.png" | grep -q '^width: [1-9]' ||
    fail "the installed slanter-cli does not read its own PNG tile"

desktop-file-validate /usr/share/applications/slanter.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/jp.tamrilab.slanter.metainfo.xml ||
    fail "appstreamcli validate"

# The installed program looks for its help where the package put it.
mapfile -t help < <("$lookup" /usr/bin/Slanter)
[[ ${help[0]} == /usr/share/slanter/Slanter.html && ${help[1]} == /usr/share/slanter/SlanterE.html ]] ||
    fail "the installed Slanter looks for its help in ${help[*]}"
for k in 0 1; do
    cmp "${help[k]}" "$source/shell/help/${help[k]##*/}" || fail "the installed ${help[k]}"
done

# The menu entry offers every picture the program opens.
for type in bmp vnd.microsoft.icon png jpeg gif webp tiff x-portable-anymap x-tga x-xpixmap \
    x-xbitmap vnd.wap.wbmp x-icns; do
    grep -q "^MimeType=.*image/$type;" /usr/share/applications/slanter.desktop ||
        fail "the desktop entry does not offer image/$type"
done

# The installed program, started as the menu entry starts it for a PNG file ("Open
# With"), runs with the installed libraries and plug-ins (its check of the picture
# codecs would stop it with 1) and opens the picture: the working file appears in the
# run's folder. A signal then ends it as its Exit command does, the folder removed.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/slanter.desktop)
# shellcheck disable=SC2086 # the command line is split into words as the desktop splits it
QT_QPA_PLATFORM=offscreen PATH=/usr/bin ${exec_line//%f/$work/tile.png} &
program=$!
for ((wait = 0; wait < 600; ++wait)); do
    compgen -G "$TMPDIR/slanter-*/Temp0000.bmp" >/dev/null && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
compgen -G "$TMPDIR/slanter-*/Temp0000.bmp" >/dev/null ||
    fail "the installed Slanter did not open the PNG file it was given"
kill -TERM "$program" 2>/dev/null || true
status=0
wait "$program" || status=$?
((status == 0)) || fail "the installed Slanter ended with $status"
! compgen -G "$TMPDIR/slanter-*" >/dev/null || fail "the installed Slanter left its run's folder"

man -w slanter-cli | grep -qx /usr/share/man/man1/slanter-cli.1.gz || fail "man slanter-cli"
man -w Slanter | grep -qx /usr/share/man/man1/Slanter.1.gz || fail "man Slanter"
# shellcheck disable=SC2016
words=$(bash -c 'source /usr/share/bash-completion/completions/slanter-cli
                 COMP_WORDS=(slanter-cli convert in.bmp out.png --thr); COMP_CWORD=4
                 _slanter_cli; echo "${COMPREPLY[*]}"')
[[ $words == --threads ]] || fail "bash completion of 'convert --thr': '$words'"

echo "== removed"
dpkg_waiting -r slanter || fail "dpkg -r"
installed=false
left=()
while read -r path; do
    [[ -e $path && ! -d $path ]] && left+=("$path")
done <"$work/files"
[[ -e /usr/share/slanter ]] && left+=(/usr/share/slanter)
((${#left[@]} == 0)) || fail "dpkg -r left ${left[*]}"
echo "the package installs, runs and goes without a trace"
