#!/usr/bin/env bash
# Runs a command, a test program under Wine for the Japanese CTest entries, with Japanese
# linked to the dialogs' font in the Wine prefix (japanese_fonts in common.sh), then takes
# the link away again, so that the English entries never have it.
#
#   scripts/with-japanese-fonts.sh COMMAND [ARGUMENTS...]

# The prefix the calling test run uses (Wine's default one when none is set), as for every
# other test.
MENSURIO_WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

japanese_fonts on
status=0
"$@" || status=$?
japanese_fonts off
exit "$status"
