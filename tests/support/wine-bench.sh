#!/usr/bin/env bash
# The Wine test bench: a private X display (Xvfb), a private Wine prefix and the Wine desktop
# with its taskbar ("Shell_TrayWnd"). Everything it starts is recorded by PID and stopped by
# PID, so nothing else on the machine is touched.
#
#   wine-bench.sh up DIR          start the bench; its state lives in DIR
#   wine-bench.sh down DIR        stop what `up` started
#   wine-bench.sh run DIR CMD...  run a Windows program on the bench, with its exit code
#   wine-bench.sh env DIR         print the environment for running programs by hand
set -euo pipefail

usage() { echo "usage: $0 up|down|run|env DIR [CMD...]" >&2; exit 2; }
[ $# -ge 2 ] || usage
action=$1
dir=$(realpath -m "$2")
shift 2

WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
SCREEN=1024x768

bench_env() {
    export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all
    # Code page 932 as on a Japanese Windows; no Mono or Gecko installer prompts; no menu
    # entries on the host for the shortcuts the installer makes (the tool that writes them
    # also holds the linked program open for its icon while a test may rewrite it).
    export LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    DISPLAY=:$(cat "$dir/display")
    export DISPLAY
}

# Polls `$@` every 50 ms for up to $1 seconds.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 20))); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

stop_pid_file() {
    local file=$1 pid
    [ -f "$file" ] || return 0
    pid=$(cat "$file")
    rm -f "$file"
    kill "$pid" 2>/dev/null || return 0
    wait_for 5 bash -c "! kill -0 $pid 2>/dev/null" || kill -9 "$pid" 2>/dev/null || true
}

down() {
    if [ -f "$dir/display" ] && [ -d "$dir/prefix" ]; then
        bench_env
        # Ends the processes of this prefix only.
        "$WINESERVER" -k 2>/dev/null || true
    fi
    stop_pid_file "$dir/explorer.pid"
    stop_pid_file "$dir/xvfb.pid"
    rm -f "$dir/display"
}

desktop_shown() { xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop'; }

up() {
    down
    mkdir -p "$dir"
    # Xvfb picks a free display number itself and reports it on the given descriptor.
    : >"$dir/display.raw"
    Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp 3>"$dir/display.raw" >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    wait_for 10 test -s "$dir/display.raw" || { echo "wine-bench: Xvfb did not start" >&2; down; exit 1; }
    tr -d '\n' <"$dir/display.raw" >"$dir/display"
    bench_env

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE" wineboot -i >"$dir/wineboot.log" 2>&1
        # Every program joins the one virtual desktop, where the taskbar lives.
        "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
        "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$SCREEN" /f >/dev/null 2>&1
    fi
    "$WINE" explorer /desktop=shell,"$SCREEN" >"$dir/explorer.log" 2>&1 &
    echo $! >"$dir/explorer.pid"
    wait_for 30 desktop_shown || { echo "wine-bench: the Wine desktop did not appear" >&2; down; exit 1; }
    echo "wine-bench: up on display $DISPLAY"
}

case $action in
    up) up ;;
    down) down ;;
    run)
        [ $# -ge 1 ] || usage
        bench_env
        exec "$WINE" "$@"
        ;;
    env)
        bench_env
        printf 'export WINEPREFIX=%q WINEARCH=win64 WINEDEBUG=-all LC_ALL=%q WINEDLLOVERRIDES=%q DISPLAY=%q\n' \
            "$WINEPREFIX" "$LC_ALL" "$WINEDLLOVERRIDES" "$DISPLAY"
        ;;
    *) usage ;;
esac
