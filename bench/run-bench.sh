#!/usr/bin/env bash
# `make bench`: builds the win64 tree, brings up a Wine bench of its own, runs every benchmark
# one after the other (the lock benchmarks hide the taskbar and hook the whole desktop), prints
# every figure with its target and a pass/short mark, and writes the run into bench/RESULTS.md
# between its markers; everything outside them (notes, the hardening section) is kept.
set -euo pipefail
cd "$(dirname "$0")/.."

bench=tests/support/wine-bench.sh
bench_dir=build/bench-bench
bin=build/win64/bin
stripped=build/bench-stripped
results=bench/RESULTS.md
log=$(mktemp)
trap 'bash "$bench" down "$bench_dir" >/dev/null 2>&1 || true; rm -f "$log"' EXIT

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target benchmarks Kivel2 KivPx
# The settings tool is built only where its sources are.
if ninja -C build/win64 -t query setting >/dev/null 2>&1; then
    cmake --build --preset win64 -j2 --target setting
fi

# Waits, up to 30 s, for a second in which the machine is nearly idle (under 5% of its cores
# busy): the bench's desktop and Wine's services keep the cores busy for a few seconds after they
# come up, and a benchmark started in that spell measures them too.
settle() {
    local user nice system idle iowait irq softirq steal busy total last_busy='' last_total=''
    for _ in $(seq 30); do
        read -r _ user nice system idle iowait irq softirq steal _ </proc/stat
        busy=$((user + nice + system + irq + softirq + steal))
        total=$((busy + idle + iowait))
        if [ -n "$last_total" ] && [ $(((busy - last_busy) * 20)) -lt $((total - last_total)) ]; then
            return 0
        fi
        last_busy=$busy last_total=$total
        sleep 1
    done
}

bash "$bench" up "$bench_dir"
settle

run() {
    # Every figure line of the benchmark, with the Windows line ends dropped.
    local seconds=$1
    shift
    timeout --kill-after=10 "$seconds" bash "$bench" run "$bench_dir" "$@" 2>&1 | tr -d '\r' | tee -a "$log"
    return "${PIPESTATUS[0]}"
}

status=0
{
    echo "# $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPU cores shared, load average $(cut -d' ' -f1-3 /proc/loadavg)," \
        "$(wine --version 2>/dev/null || echo wine)"
    echo "# ratios are against baselines measured in the same run; medians over the repetitions"
} | tee "$log"

echo "## settings file (Win32 backend under Wine)" | tee -a "$log"
run 600 "$bin/settings_file_bench.exe" || status=1
echo "## hook cost" | tee -a "$log"
run 600 "$bin/hook_bench.exe" || status=1
echo "## lock latency and the locked program's footprint" | tee -a "$log"
# The lock benchmarks need the desktop's taskbar. Wine's desktop ends by itself after a while
# without windows (the settings benchmark makes none), and one brought back by a later program
# may come without it; a fresh bench has it.
# No settling here: the desktop would end again while the machine settles. The lock benchmark
# times its tray locks first, which take longer than the desktop's start keeps the cores busy.
bash "$bench" up "$bench_dir" >/dev/null
run 900 "$bin/lock_bench.exe" || status=1

echo "## shipped files, stripped" | tee -a "$log"
mkdir -p "$stripped"
for file in Kivel2.exe KivPx.dll setting.exe; do
    if [ -f "$bin/$file" ]; then
        x86_64-w64-mingw32-strip -o "$stripped/$file" "$bin/$file"
        echo "info  footprint $file stripped: $(stat -c %s "$stripped/$file") bytes (no target)"
    else
        echo "info  footprint $file: not built"
    fi
done | tee -a "$log"

passed=$(grep -c '^pass ' "$log" || true)
short=$(grep -c '^short ' "$log" || true)
echo "summary: $passed pass, $short short$([ "$status" -eq 0 ] || echo ', a benchmark failed to run')" | tee -a "$log"

# bench/RESULTS.md: the text outside the markers stays as it is.
begin='<!-- make bench output begins -->'
end='<!-- make bench output ends -->'
if [ ! -f "$results" ]; then
    printf '# Benchmark results\n\n%s\n%s\n\n## Hardening\n\n(filled in by the hardening work)\n' "$begin" "$end" >"$results"
fi
{
    sed -n "1,/^$begin\$/p" "$results"
    printf '\nCommand: `make bench` (bench/run-bench.sh)\n\n```\n'
    cat "$log"
    printf '```\n\n'
    sed -n "/^$end\$/,\$p" "$results"
} >"$results.new"
mv "$results.new" "$results"
echo "run-bench: wrote $results"
exit "$status"
