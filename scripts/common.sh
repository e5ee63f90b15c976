# Shared by the run, test and benchmark scripts: packages, build, display and Wine prefix.
# Source it; it sets REPO, BUILD and WINEPREFIX.

set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]##*/}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${MENSURIO_BUILD:-$REPO/build}
export WINEPREFIX=${MENSURIO_WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# The size of the desktop the tests run in: larger than a device's screen.
DESKTOP_SIZE=800x600
# No Mono or Gecko install prompts while the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

PACKAGES=(
    cmake make flex bison googletest
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine xvfb xauth fonts-ipafont-gothic clang-format units locales x11-utils
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of PACKAGES is missing; does nothing when all are there.
ensure_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

# A Japanese run is Wine in the host's ja_JP.UTF-8 locale: Wine maps host file names through
# the locale's character set, and without the locale it falls back to ASCII, so Japanese
# names turn into bytes of nothing and cannot be made or opened. Makes the locale when it
# is missing (package locales); says so and fails when it cannot be made.
ensure_japanese_locale() {
    if ! has_japanese_locale; then
        echo "Generating the ja_JP.UTF-8 locale (once)"
        as_root localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 >/dev/null 2>&1 || true
    fi
    require_japanese_locale
}

has_japanese_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'
}

# Stops a Japanese run that could only start broken.
require_japanese_locale() {
    if ! has_japanese_locale; then
        echo "The host has no ja_JP.UTF-8 locale, which a Japanese run needs for its file" \
            "names: make it with 'localedef -i ja_JP -f UTF-8 ja_JP.UTF-8' (package locales)." >&2
        return 1
    fi
}

build() {
    cmake -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" -j2
}

# Starts an Xvfb of our own on the first free display and exports DISPLAY; stopped on exit.
# The screen size may be given (default 640x480x24).
start_own_display() {
    local screen=${1:-640x480x24}
    local display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
    trap stop_session EXIT
}

# Makes the project's Wine prefix on first use and keeps its server up between processes.
prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # Wine's own fonts, which a new prefix here lacks (fonts-wine puts them where this Wine
    # does not look): Marlett draws the caption buttons (without it they show a letter),
    # Tahoma is the font the dialogs ask for.
    for font in marlett tahoma tahomabd; do
        if [ -f "/usr/share/wine/fonts/$font.ttf" ]; then
            cp -u "/usr/share/wine/fonts/$font.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
        fi
    done
    # Every program runs in one Wine desktop, like the device's single screen. Without it
    # each top-level window is an X window of its own, which Wine maps slowly when there is
    # no window manager: about two seconds per dialog. The desktop is chosen when Wine's
    # services start, so they start again once after the setting is first made.
    # A run of device-screen.sh that was cut short may have left the desktop small.
    if ! grep -q '^"Desktop"="Default"' "$WINEPREFIX/user.reg" 2>/dev/null ||
        ! grep -q "^\"Default\"=\"$DESKTOP_SIZE\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$DESKTOP_SIZE" /f \
            </dev/null >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
            </dev/null >/dev/null 2>&1 || true
        restart_wine
    else
        start_wine
    fi
    # Ordinary resolution unless a run asks for more (scripts/run.sh --hires), and English
    # fonts unless a run is Japanese.
    set_screen_dpi 96
    japanese_fonts off
}

# Keeps the prefix's server up between processes; a server already running (a developer's
# session) is used as it is. Wine's background services start now, detached from our
# output: started by a test process instead, they would inherit its output pipe and hold
# the test runner open.
start_wine() {
    wineserver -p 2>/dev/null || true
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Stops Wine for the prefix and starts it again, so that its services read the registry
# afresh (the desktop they use, for one).
restart_wine() {
    wineserver -k 2>/dev/null || true
    wineserver -w
    start_wine
}

# How the prefix's programs are shown: "desktop", all in one Wine desktop (the prefix's
# setting, like the device's single screen), or "windows", each top-level window an X
# window of its own (Wine's default, and what the program meets on a Linux desktop or on
# Windows). Wine's services read it when they start, so they start again.
#
# Wine hands its windows to the window manager; with none on the display (a bare Xvfb) a
# window that closes stays mapped while Wine waits two seconds for the manager that never
# answers, its picture on the screen and a tap there lost. There Wine is told to place its
# windows itself ("Managed" = N), and they go at once.
wine_display() {
    local x11='HKCU\Software\Wine\X11 Driver'
    if [ "$1" = windows ]; then
        wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1 || true
        if ! has_window_manager; then
            wine reg add "$x11" /v Managed /d N /f </dev/null >/dev/null 2>&1
        fi
    else
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
        wine reg delete "$x11" /v Managed /f </dev/null >/dev/null 2>&1 || true
    fi
    restart_wine
}

# Whether a window manager runs on the display (one that says so, as every current one does).
has_window_manager() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The size of the prefix's one desktop; Wine's services read it when they start, so they
# start again.
wine_desktop_size() {
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f \
        </dev/null >/dev/null 2>&1
    restart_wine
}

# The prefix's screen resolution: 96 is ordinary, 192 a high-resolution device.
set_screen_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}

# On a Japanese device the system font covers Japanese; Tahoma, the face of the program's
# dialogs, has no Japanese glyphs. "on" links IPA Gothic to Tahoma, for runs whose interface
# is Japanese (a Japanese locale, or LangToggle in another); "off" takes the link away, so
# that English runs draw Tahoma alone, as an English device does. (Captions, menus and the
# GUI font have a Japanese face in the Japanese locale without it.) Wine writes its own
# font links again when a process starts in another locale than the last one, so the link
# is written from the locale the run uses (the second argument, Japanese by default); each
# Wine process reads the links when it starts.
japanese_fonts() { # on|off [locale]
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    local locale=${2:-ja_JP.UTF-8}
    # Bold Tahoma (the captions' face outside the Japanese locale) is linked on its own.
    local face
    for face in Tahoma "Tahoma Bold"; do
        if [ "$1" = on ]; then
            LC_ALL=$locale wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d ipag.ttf,IPAGothic \
                /f >/dev/null 2>&1
        elif LC_ALL=C.UTF-8 wine reg query "$key" /v "$face" 2>/dev/null | grep ipag.ttf >/dev/null; then
            LC_ALL=C.UTF-8 wine reg delete "$key" /v "$face" /f >/dev/null 2>&1
        fi
    done
}

# Whether the program's interface is Japanese when it runs in `locale`: the locale's
# language, swapped when HKEY_CURRENT_USER\Software\Orvintek "LangToggle" is not 0.
japanese_interface() { # locale
    local toggled=0
    if LC_ALL=C.UTF-8 wine reg query 'HKCU\Software\Orvintek' /v LangToggle 2>/dev/null |
        grep -q 'REG_DWORD *0x0*[1-9a-fA-F]'; then
        toggled=1
    fi
    if [[ $1 == ja* ]]; then [ "$toggled" = 0 ]; else [ "$toggled" = 1 ]; fi
}

# Fails, naming them, when C++ files of the tree differ from the project's .clang-format.
check_format() {
    local files=() unformatted
    mapfile -d '' files < <(find "$REPO" \( -path "$REPO/build*" -o -path "$BUILD" -o -path "$REPO/.git" \) -prune \
        -o \( -name '*.cpp' -o -name '*.h' \) -print0)
    unformatted=$(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/:[0-9]*:[0-9]*: warning: .*//p' |
        sort -u)
    if [ -n "$unformatted" ]; then
        echo "Not formatted as .clang-format says (clang-format -i FILE):" >&2
        echo "${unformatted//$REPO\//  }" >&2
        return 1
    fi
}

stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
}
