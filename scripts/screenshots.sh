#!/usr/bin/env bash
# The README's screenshots of the running program: English, Japanese and high resolution,
# written to docs/screenshots/mensurio-*.png, the About box's three pages in each, written
# to docs/screenshots/about-*.png, and the Open dialog in its four views in English and
# Japanese, written to docs/screenshots/open-*.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="$REPO/docs/screenshots"
mkdir -p "$out"
remember() {
    WINEPREFIX=$WINEPREFIX wine reg add 'HKCU\Software\Orvintek\Mensurio' /v ini \
        /d "\\Program Files\\Mensurio\\$1" /f >/dev/null 2>&1
}
forget() { # nothing to forget is fine
    WINEPREFIX=$WINEPREFIX wine reg delete 'HKCU\Software\Orvintek\Mensurio' /v ini /f \
        >/dev/null 2>&1 || true
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

# The Open dialog shows at a start with no remembered file. A tap on the list takes the focus
# from the name field, which lowers the input panel; the View Menu button's menu is then
# walked up from its last item (Details, List, Small Icon, Large Icon), and the pointer
# moves away.
open_dialog() { # name, items to walk up (0: List, the view it starts in), run options...
    local name=$1 ups=$2
    shift 2
    local input="mousemove 200 170 click 1 sleep 1"
    if [ "$ups" -gt 0 ]; then
        input+=" mousemove 178 306 click 1 sleep 1"
        for ((step = 0; step < ups; step++)); do input+=" key Up"; done
        input+=" key Return"
    fi
    input+=" mousemove 120 40" # away from the buttons and their tooltips
    forget
    bash "$REPO/scripts/run.sh" "$@" --screenshot "$out/open-$name.png" --input "$input"
}
for language in en ja; do
    options=()
    [ "$language" = ja ] && options=(--japanese)
    open_dialog "list-$language" 0 "${options[@]}"
    open_dialog "details-$language" 1 "${options[@]}"
    open_dialog "small-icons-$language" 3 "${options[@]}"
    open_dialog "large-icons-$language" 4 "${options[@]}"
done
remember units.ini
