#!/usr/bin/env bash
# Installs what is missing, checks the format of the sources, builds, and runs every test
# under Wine on a display of its own.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
ensure_japanese_locale
check_format
build
start_own_display
prepare_prefix
cd "$BUILD"
ctest --output-on-failure "$@"
