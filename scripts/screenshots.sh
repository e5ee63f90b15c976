#!/usr/bin/env bash
# The README's screenshots of the running program: English, Japanese and high resolution,
# written to docs/screenshots/mensurio-*.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="$REPO/docs/screenshots"
mkdir -p "$out"
remember() {
    WINEPREFIX=$WINEPREFIX wine reg add 'HKCU\Software\Orvintek\Mensurio' /v ini \
        /d "\\Program Files\\Mensurio\\$1" /f >/dev/null 2>&1
}
# The run script makes the prefix and installs the program on its first call.
unset DISPLAY
bash "$REPO/scripts/run.sh" --screenshot "$out/mensurio-en.png" >/dev/null
remember units.ini
bash "$REPO/scripts/run.sh" --screenshot "$out/mensurio-en.png"
remember units_ja.ini
bash "$REPO/scripts/run.sh" --japanese --screenshot "$out/mensurio-ja.png"
remember units.ini
bash "$REPO/scripts/run.sh" --hires --screenshot "$out/mensurio-hires.png"
