#!/usr/bin/env bash
# The README's screenshots of the running program: English, Japanese and high resolution,
# written to docs/screenshots/mensurio-*.png, and the About box's three pages in each,
# written to docs/screenshots/about-*.png.
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

# The About box opens with F1; its pages are chosen by tapping their tabs (twice: the first
# tap may only activate the window).
about() { # name, the tab's position ("" for the first page), run options...
    local name=$1 tab=$2
    shift 2
    local input="key F1"
    [ -n "$tab" ] && input+=" sleep 2 mousemove $tab click 1 sleep 1 click 1"
    bash "$REPO/scripts/run.sh" "$@" --screenshot "$out/about-$name.png" --input "$input"
}
about version-en "" && about memory-en "90 40" && about battery-en "145 40"
about version-ja "" --japanese && about memory-ja "90 40" --japanese &&
    about battery-ja "145 40" --japanese
about version-hires "" --hires && about memory-hires "144 69" --hires &&
    about battery-hires "229 69" --hires
