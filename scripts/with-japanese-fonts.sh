#!/usr/bin/env bash
# Runs a command, a test program under Wine for the CTest entries of a Japanese interface
# (a Japanese locale, or LangToggle in the English one), with Japanese linked to the
# dialogs' font in the Wine prefix (japanese_fonts in common.sh), then takes the link away
# again, so that the English entries never have it.
#
#   scripts/with-japanese-fonts.sh COMMAND [ARGUMENTS...]

# The prefix the calling test run uses (Wine's default one when none is set), as for every
# other test.
MENSURIO_WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

locale=${LC_ALL:-C.UTF-8}
if [[ $locale == ja* ]]; then
    require_japanese_locale
fi
japanese_fonts on "$locale"
status=0
"$@" || status=$?
japanese_fonts off
exit "$status"
