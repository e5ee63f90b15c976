#!/usr/bin/env bash
# Runs test programs under Wine on a screen of a device's size, 240 x 320: the prefix's one
# desktop is made that small while they run and is put back afterwards. For the tests of
# what a device's screen does and a larger one does not (a field's focus bringing up the
# input panel).
#
#   scripts/device-screen.sh GTEST_FILTER PROGRAM.exe...
prefix=${WINEPREFIX:-}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ -n "$prefix" ] && export WINEPREFIX=$prefix

filter=$1
shift
wine_desktop_size 240x320
status=0
for program in "$@"; do
    wine "$program" "--gtest_filter=$filter" || status=$?
done
wine_desktop_size "$DESKTOP_SIZE"
exit "$status"
