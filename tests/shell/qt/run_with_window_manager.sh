#!/bin/sh
# Runs a test program on a virtual display (Xvfb) with a window manager (openbox), for
# the faults that only show under one: what the manager does with a window is up to it.
#
#     run_with_window_manager.sh PROGRAM [ARGUMENTS]
set -eu
if [ -z "${SLANTER_ON_VIRTUAL_DISPLAY:-}" ]; then
    SLANTER_ON_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
# What the system's libraries keep to the end on a real display is not the program's.
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/window_manager_lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true' EXIT
# The manager is up once it names its check window on the root window; on a loaded
# machine (wine starting beside it) that can take many seconds.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ $tries -gt 1200 ]; then
        echo "no window manager came up" >&2
        exit 1
    fi
    sleep 0.05
done
"$@"
