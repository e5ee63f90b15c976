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

