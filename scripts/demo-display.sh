# Sourced by the demonstration scripts: on the user's display (DISPLAY set and reachable),
# writes the demonstration settings beside the program and runs it there in a Wine desktop of
# its own, in place of the calling script. Without a display it returns, and the caller goes on
# with its private Xvfb.
#   run_on_users_display TOOLS_DIR DEMO_DIR PROGRAM MESSAGE
run_on_users_display() {
    local tools=$1 demo=$2 program=$3 message=$4
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || return 0
    echo "$message on $DISPLAY"
    export WINEPREFIX=$PWD/build/demo-prefix WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
    wine "$tools/demo_settings_file.exe" "$demo/kiv2.bin"
    exec wine explorer /desktop=Kivel2,1024x768 "$program"
}
