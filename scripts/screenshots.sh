#!/usr/bin/env bash
# The README's screenshots of the running program, written to docs/screenshots/, in English
# and Japanese at 96 and 192 DPI ("en", "ja", "hires", "hires-ja"): the converter
# (mensurio-*.png), the About box's three pages (about-*.png), the Open dialog in Details
# (open-details-*.png), a delete question (question-*.png) and the progress dialog of a
# delete (progress-*.png); the Open dialog's four views at 96 DPI (open-*-en/ja.png); and
# the program as a device-sized window on a larger desktop (mensurio-window.png).
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

# A folder of many files in the program's folder: its delete runs long enough to be seen.
program="$WINEPREFIX/drive_c/Program Files/Mensurio"
old_definitions() {
    rm -rf "$program/Old definitions"
    mkdir -p "$program/Old definitions"
    (cd "$program/Old definitions" && seq -f "old %05g.ini" 1 20000 | xargs -d '\n' touch)
}

shot() { # file, run options and --input commands...
    local file=$1
    shift
    bash "$REPO/scripts/run.sh" "$@" --screenshot "$out/$file" >/dev/null
}

# Positions of what is tapped, in 96-DPI pixels; at 192 DPI every one is doubled.
at() { # x y
    echo "mousemove $(($1 * scale)) $(($2 * scale))"
}

for variant in en ja hires hires-ja; do
    options=()
    scale=1
    definitions=units.ini
    case $variant in
        *ja) options+=(--japanese); definitions=units_ja.ini ;;
    esac
    case $variant in
        hires*) options+=(--hires); scale=2 ;;
    esac
    remember "$definitions"
    shot "mensurio-$variant.png" "${options[@]}"
    # The About box opens with F1; a tap on its first tab gives the tabs the keys, and the
    # right arrow turns the pages.
    shot "about-version-$variant.png" "${options[@]}" --input "key F1 sleep 2"
    shot "about-memory-$variant.png" "${options[@]}" \
        --input "key F1 sleep 2 $(at 40 40) click 1 sleep 1 key Right sleep 1"
    shot "about-battery-$variant.png" "${options[@]}" \
        --input "key F1 sleep 2 $(at 40 40) click 1 sleep 1 key Right sleep 1 key Right sleep 1"
    # The Open dialog shows at a start with no remembered file, in the program's folder. A
    # tap on the list takes the focus from the name field, which lowers the input panel.
    old_definitions
    forget
    shot "open-details-$variant.png" "${options[@]}" --input "$(at 100 170) click 1 sleep 1 \
        $(at 178 306) click 1 sleep 1 key Up key Return $(at 120 40)"
    forget
    shot "question-$variant.png" "${options[@]}" --input "$(at 100 170) click 1 sleep 1 \
        $(at 40 106) click 1 sleep 0.5 $(at 152 303) click 1 sleep 1.5"
    # Yes to the folder, All to its files: the delete runs without further questions.
    forget
    shot "progress-$variant.png" "${options[@]}" --input "$(at 100 170) click 1 sleep 1 \
        $(at 40 106) click 1 sleep 0.5 $(at 152 303) click 1 sleep 1.5 \
        $(at 75 201) click 1 sleep 1.5 $(at 174 202) click 1 sleep 0.3"
done
rm -rf "$program/Old definitions"

# The Open dialog's four views at 96 DPI: the View Menu button's menu is walked up from its
# last item (Details, List, Small Icon, Large Icon), and the pointer moves away.
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
    shot "open-$name.png" "$@" --input "$input"
}
for language in en ja; do
    options=()
    [ "$language" = ja ] && options=(--japanese)
    open_dialog "list-$language" 0 "${options[@]}"
    open_dialog "small-icons-$language" 3 "${options[@]}"
    open_dialog "large-icons-$language" 4 "${options[@]}"
done

# On a desktop larger than a device, as on Linux or Windows: a device-sized screen.
remember units.ini
shot mensurio-window.png --window
