#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmark programs under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build >/dev/null
start_own_display
prepare_prefix
# The file dialog benchmark opens its dialogs in the prefix's one desktop, as the program
# shows them.
for benchmark in definition_load_benchmark conversion_benchmark file_list_benchmark \
    file_dialog_benchmark; do
    echo "== $benchmark"
    wine "$BUILD/benchmarks/$benchmark.exe"
done

# Start-up, both ways Wine can show the programs: both in the prefix's one desktop (as the
# tests and the run command do), and each in an X window of its own (Wine's default). The
# desktop is chosen when Wine's services start, so they start again for each.
echo "== startup_benchmark, one Wine desktop"
wine "$BUILD/benchmarks/startup_benchmark.exe"
echo "== startup_benchmark, X windows"
wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1
restart_wine
wine "$BUILD/benchmarks/startup_benchmark.exe"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
restart_wine

echo "== file_operation_benchmark"
wine "$BUILD/benchmarks/file_operation_benchmark.exe"

# One file of 200 MB copied by our engine and by cp on the host, in turns, five times each;
# the file is read once first so that both find it in the page cache. Medians are compared.
large=$(mktemp -d /tmp/mensurio-large.XXXXXX)
dd if=/dev/urandom of="$large/large.bin" bs=1M count=200 status=none
cat "$large/large.bin" >/dev/null
for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    cp "$large/large.bin" "$large/copy.bin"
    awk "BEGIN { print $(date +%s.%N) - $start }" >>"$large/cp.txt"
    rm "$large/copy.bin"
    wine "$BUILD/benchmarks/file_operation_benchmark.exe" "Z:${large//\//\\}\\large.bin" \
        >>"$large/ours.txt"
done
median() { sort -n "$1" | sed -n 3p; }
awk -v cp="$(median "$large/cp.txt")" -v ours="$(median "$large/ours.txt")" 'BEGIN {
    printf "one file of 200 MB: ours %.2f s (%.0f MB/s), cp %.2f s (%.0f MB/s)\n",
        ours, 200 / ours, cp, 200 / cp
    printf "  throughput of ours / cp %.2f (target at least 0.8)\n", cp / ours }'
rm -rf "$large"
