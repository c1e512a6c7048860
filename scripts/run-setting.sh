#!/usr/bin/env bash
# Shows the settings tool at work on a demonstration copy of dist/ with the settings of the
# lock program's demonstration.
#   on the user's display (DISPLAY set and reachable): runs the tool there (password "tovi");
#   without one: on a private Xvfb, logs in as the boss, changes the follower password to
#     "kobun" and saves, then logs in as the follower; saves dist/screenshot-setting-boss.png
#     and dist/screenshot-setting-follower.png of the main dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/demo-display.sh
source scripts/demo-display.sh

demo=dist/setting-demo
bench=tests/support/wine-bench.sh
bench_dir=build/setting-demo-bench
tools=build/win64/bin

rm -rf "$demo"
mkdir -p "$demo"
cp dist/setting.exe "$demo"/
win_tool=$(realpath "$demo")/setting.exe

run_on_users_display "$tools" "$demo" "$win_tool" \
    "run-setting: password tovi; starting the settings tool"

trap 'bash "$bench" down "$bench_dir"' EXIT
bash "$bench" up "$bench_dir"
bash "$bench" run "$bench_dir" "$tools/demo_settings_file.exe" "$demo/kiv2.bin"
driver=$tools/setting_demo_driver.exe

# Logs in with $1, leaves the screenshot of the main dialog in $2.
shot() {
    local where
    where=$(bash "$bench" run "$bench_dir" "$driver" login "$1" | tr -d '\r')
    DISPLAY=:$(cat "$bench_dir/display") import -window root -crop "$where" +repage "$2"
    echo "run-setting: saved $2"
}

bash "$bench" run "$bench_dir" "$win_tool" &
shot tovi dist/screenshot-setting-boss.png
bash "$bench" run "$bench_dir" "$driver" follower kobun
bash "$bench" run "$bench_dir" "$driver" accept
wait

bash "$bench" run "$bench_dir" "$win_tool" &
shot kobun dist/screenshot-setting-follower.png
bash "$bench" run "$bench_dir" "$driver" cancel
wait
echo "run-setting: the settings tool saved the follower password and ended"
