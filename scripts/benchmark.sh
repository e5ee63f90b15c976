#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmark programs under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build >/dev/null
start_own_display
prepare_prefix
for benchmark in definition_load_benchmark conversion_benchmark startup_benchmark; do
    echo "== $benchmark"
    wine "$BUILD/benchmarks/$benchmark.exe"
done
