#!/usr/bin/env bash
# Screenshots of the framework's windows in a Pocket PC-sized Wine desktop, for looking at
# the device layer: a frame with its menu bar, a full-screen dialog, the same with the input
# panel up, a property sheet.
# Writes them to docs/screenshots/framework-*.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
PACKAGES+=(imagemagick)

ensure_packages
build >/dev/null
start_own_display
prepare_prefix
out="$REPO/docs/screenshots"
mkdir -p "$out"
for mode in frame dialog panel sheet; do
    wine explorer /desktop=FrameworkDemo,240x320 \
        "$BUILD/framework/app/framework_demo.exe" "$mode" >/dev/null 2>&1 &
    desktop=$!
    sleep 4
    import -window root -crop 240x320+0+0 +repage "$out/framework-$mode.png"
    wine taskkill /f /im framework_demo.exe >/dev/null 2>&1 || true
    wait "$desktop" || true
    echo "$out/framework-$mode.png"
done
