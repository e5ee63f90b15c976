#!/usr/bin/env bash
# Runs a test program under Wine with each window an X window of its own, on the test
# display, and puts the prefix's one desktop back afterwards: the test entries that must
# see a screen larger than a device's, as on a Linux desktop or on Windows.
#
#   scripts/x-windows.sh PROGRAM.exe [ARGUMENTS...]
prefix=${WINEPREFIX:-}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ -n "$prefix" ] && export WINEPREFIX=$prefix

wine_display windows
status=0
wine "$@" || status=$?
wine_display desktop
exit "$status"
