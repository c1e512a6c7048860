#!/usr/bin/env bash
# Shows the lock program at work: a demonstration copy of dist/ with settings that lock at
# start-up and offer a few programs every Wine prefix has, started in a Wine desktop.
#   on the user's display (DISPLAY set and reachable): runs until the program is ended there
#     (Shift + right click on the bar, password "tovi");
#   without one: on a private Xvfb, saves dist/screenshot-locked.png of the locked bar, then
#     ends the program through its password dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/demo-display.sh
source scripts/demo-display.sh

demo=dist/demo
bench=tests/support/wine-bench.sh
bench_dir=build/demo-bench

rm -rf "$demo"
mkdir -p "$demo"
cp dist/Kivel2.exe dist/KivPx.dll "$demo"/
[ -f dist/setting.exe ] && cp dist/setting.exe "$demo"/
win_demo=$(realpath "$demo")/Kivel2.exe
tools=build/win64/bin

run_on_users_display "$tools" "$demo" "$win_demo" \
    "run-demo: unlock with Shift + right click on the bar, password tovi; starting Kivel2"

trap 'bash "$bench" down "$bench_dir"' EXIT
bash "$bench" up "$bench_dir"
bash "$bench" run "$bench_dir" "$tools/demo_settings_file.exe" "$demo/kiv2.bin"
bash "$bench" run "$bench_dir" "$win_demo" &
driver=$tools/demo_driver.exe
if ! bash "$bench" run "$bench_dir" "$driver" wait-locked; then
    echo "run-demo: the bar did not lock" >&2
    exit 1
fi
DISPLAY=:$(cat "$bench_dir/display") import -window root dist/screenshot-locked.png
echo "run-demo: saved dist/screenshot-locked.png"
bash "$bench" run "$bench_dir" "$driver" unlock-exit tovi
wait
echo "run-demo: Kivel2 unlocked and ended"
