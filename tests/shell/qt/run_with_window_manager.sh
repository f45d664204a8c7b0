#!/bin/sh
# Runs a test program on a virtual display (Xvfb) with a window manager (openbox), for
# the faults that only show under one: what the manager does with a window is up to it.
#
#     run_with_window_manager.sh PROGRAM [ARGUMENTS]
#
# Several of these run at once beside other tests: the X server picks a free display
# itself and names it once it listens (-displayfd), so two runs never race for one, and
# whatever does not come up is said, with what its program printed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
server=
manager=
case "$1" in */wine-run) under_wine=1 ;; *) under_wine=0 ;; esac
cleanup() {
    # A program run under wine leaves wine's desktop process on this display: it goes with
    # the display, so that the next display's programs get one of their own.
    if [ "$under_wine" = 1 ] && [ -n "$manager" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() {
    echo "run_with_window_manager: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -20 "$log" >&2; }
    done
    exit 1
}
# Seconds to wait for each of the two; a machine loaded by wine beside it has taken ten.
limit=${SLANTER_DISPLAY_WAIT:-90}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
server=$!
ticks=0
until [ -s "$work/display" ] && grep -q '^[0-9][0-9]*$' "$work/display"; do
    kill -0 "$server" 2>/dev/null || fail "Xvfb ended before it named its display"
    ticks=$((ticks + 1))
    [ $ticks -le $((limit * 20)) ] || fail "Xvfb named no display within $limit s"
    sleep 0.05
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
unset QT_QPA_PLATFORM

openbox --sm-disable >"$work/openbox.log" 2>&1 &
manager=$!
# The manager is up once the root window names its check window and that window names
# itself (so a name left by a manager that died does not count); until then a window it
# has not seen yet would be shown unmanaged.
managed() {
    check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')
    [ -n "$check" ] &&
        xprop -id "$check" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$check"
}
ticks=0
until managed; do
    kill -0 "$manager" 2>/dev/null || fail "openbox ended before it managed $DISPLAY"
    ticks=$((ticks + 1))
    [ $ticks -le $((limit * 20)) ] || fail "openbox did not manage $DISPLAY within $limit s"
    sleep 0.05
done

# What the system's libraries keep to the end on a real display is not the program's.
export LSAN_OPTIONS="suppressions=$here/window_manager_lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
"$@" || status=$?
[ $status -eq 0 ] || echo "run_with_window_manager: $1 ended with status $status on $DISPLAY" >&2
exit $status
