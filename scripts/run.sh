#!/usr/bin/env bash
# Installs what is missing, builds, and starts Mensurio in a Pocket PC-sized Wine desktop.
#
#   scripts/run.sh [--japanese] [--hires] [--window] [--screenshot FILE [--input "XDOTOOL COMMANDS"]]
#
# --japanese   a Japanese device (Wine in a Japanese locale, code page 932)
# --hires      a high-resolution device: 480 x 640 at 192 DPI
# --window     as on a Linux desktop or on Windows: no Wine desktop, each window an X window
#              of its own on the whole display, where the program shows a device-sized
#              screen in the middle (the screenshot is then of the display's middle part)
# --screenshot save what the program shows to FILE and end it (the default without a
#              display: then an Xvfb of its own is started and FILE is mensurio.png)
# --input      what a user does before the screenshot, as xdotool commands: for example
#              "key F1 sleep 1 mousemove 90 40 click 1" opens the About box's second page
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

japanese=0
hires=0
window=0
screenshot=""
input=""
while [ $# -gt 0 ]; do
    case "$1" in
        --japanese) japanese=1 ;;
        --hires) hires=1 ;;
        --window) window=1 ;;
        --screenshot) screenshot=$2; shift ;;
        --input) input=$2; shift ;;
        *) echo "usage: scripts/run.sh [--japanese] [--hires] [--window] [--screenshot FILE [--input COMMANDS]]" >&2
           exit 2 ;;
    esac
    shift
done
if [ -z "${DISPLAY:-}" ] && [ -z "$screenshot" ]; then
    screenshot=$PWD/mensurio.png
fi
[ -n "$screenshot" ] && PACKAGES+=(imagemagick)
[ -n "$input" ] && PACKAGES+=(xdotool)

ensure_packages
[ "$japanese" = 1 ] && ensure_japanese_locale
build >/dev/null
size=240x320
[ "$hires" = 1 ] && size=480x640
if [ -z "${DISPLAY:-}" ]; then
    start_own_display 1024x768x24
fi
prepare_prefix

# The device: the program and its sample files in \Program Files\Mensurio on drive C:, the
# user's \My Documents, and ordinary or high resolution.
program="$WINEPREFIX/drive_c/Program Files/Mensurio"
mkdir -p "$program" "$WINEPREFIX/drive_c/My Documents"
cp "$BUILD/mensurio.exe" "$BUILD/units.ini" "$BUILD/units_ja.ini" "$program/"
[ "$hires" = 1 ] && set_screen_dpi 192

locale=${LC_ALL:-C.UTF-8}
[ "$japanese" = 1 ] && locale=ja_JP.UTF-8
cd "$program"
# The program: in a device-sized Wine desktop, or (--window) in windows of its own, with the
# prefix's one desktop put back afterwards.
crop="$size+0+0"
start_program() {
    if [ "$window" = 1 ]; then
        LC_ALL=$locale wine mensurio.exe
    else
        LC_ALL=$locale wine explorer "/desktop=Mensurio,$size" mensurio.exe
    fi
}
# What is put back on exit; the display started here goes too.
on_exit=:
[ -n "${XVFB_PID:-}" ] && on_exit=stop_session
if [ "$window" = 1 ]; then
    wine_display windows
    on_exit="wine_display desktop; stop_session"
    # The device-sized screen lies in the middle of the display: take it with a margin.
    read -r width height < <(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')
    margin=24
    device_width=${size%x*}
    device_height=${size#*x}
    crop="$((device_width + 2 * margin))x$((device_height + 2 * margin))+$(((width - device_width) / 2 - margin))+$(((height - device_height) / 2 - margin))"
fi
# Last, as any Wine process started in another locale writes Wine's own font links again.
# A Japanese device has the face for Japanese names whichever language its interface has.
if [[ $locale == ja* ]] || japanese_interface "$locale"; then
    japanese_fonts on "$locale"
    on_exit="japanese_fonts off; $on_exit"
fi
trap "$on_exit" EXIT
if [ -z "$screenshot" ]; then
    start_program
    exit 0
fi
start_program >/dev/null 2>&1 &
started=$!
sleep 5
if [ -n "$input" ]; then
    # shellcheck disable=SC2086 # the commands are words for xdotool
    xdotool $input
    sleep 1
fi
import -window root -crop "$crop" +repage "$screenshot"
wine taskkill /f /im mensurio.exe >/dev/null 2>&1 || true
wait "$started" || true
echo "$screenshot"
