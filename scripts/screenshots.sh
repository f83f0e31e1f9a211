#!/bin/bash
# Screenshots of the window program for the documentation, under Wine and
# Xvfb (xwd takes the picture, ImageMagick converts it):
#   docs/screenshots/window-standalone.png        started by a user
#   docs/screenshots/window-embedded-export.png   started by the host with "exportar"
#
# Under Wine a window that is the child of another process's window is never
# drawn on the X screen, so the embedded picture is taken with the desktop as
# the host: the program runs its embedding code unchanged (no border, at
# (2, 2), only the export panel across the top band) and the window shows on
# its own; the picture gets a 2-pixel frame in the host's background colour
# for the offset. Needs the packages of test-windows.sh plus x11-apps and
# imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/wine-env.sh
under_xvfb "$0" "$@"
trap wine_stop EXIT
out=docs/screenshots
caption="Exportar e importar datos entre Vardelin y ZARP"
convert=/usr/bin/convert

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target transVardelZarp tvz_e2e >/dev/null
wine_prefix_new
wine_start

# The program in a folder of its own, the sample school where a school keeps
# its ZARP files.
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/transVardelZarp" "$drive_c/ZARP"
cp build/windows/src/app/transVardelZarp.exe "$drive_c/transVardelZarp/"
cp -r samples/escuela "$drive_c/ZARP/escuela"
rm -f "$drive_c/ZARP/escuela/SOLUC.DBF"

# shot FILE [PARAMETERS...]: starts the program in C:\ZARP\escuela, waits for
# its window, takes it, ends the program.
shot() {
    local file=$1
    shift
    (cd "$drive_c/ZARP/escuela" && exec env LC_ALL="$TVZ_WINE_LOCALE" wine 'C:\transVardelZarp\transVardelZarp.exe' "$@") \
        </dev/null >/dev/null 2>&1 &
    local pid=$! tries=0
    until xwd -silent -name "$caption" -out "$file.xwd" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || { echo "screenshots: no window" >&2; kill "$pid"; return 1; }
        sleep 0.2
    done
    sleep 1  # fully painted
    xwd -silent -name "$caption" -out "$file.xwd"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

shot "$out/window-standalone"
"$convert" "xwd:$out/window-standalone.xwd" -strip "$out/window-standalone.png"

desktop=$(wine_env wine build/windows/tests/wine/tvz_e2e.exe desktop-handle </dev/null | tr -d '\r')
shot "$out/window-embedded-export" exportar "$desktop"
"$convert" "xwd:$out/window-embedded-export.xwd" -bordercolor '#ababab' -border 2 -strip \
    "$out/window-embedded-export.png"
rm -f "$out"/*.xwd
for f in "$out/window-standalone.png" "$out/window-embedded-export.png"; do
    echo "$f: $(/usr/bin/identify -format '%wx%h' "$f")"
done
