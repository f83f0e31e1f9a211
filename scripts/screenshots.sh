#!/bin/bash
# Screenshots of the window program for the documentation, under Wine and
# Xvfb (xwd takes the picture, ImageMagick converts it):
#   docs/screenshots/window-standalone.png        started by a user
#   docs/screenshots/window-embedded-export.png   started by the host with "exportar"
#
# The embedded picture is taken as the timetabling program shows it: the
# end-to-end tests' host window starts the program with "exportar" and its
# handle, and the picture is the host's window with the program inside it.
# Needs the packages of test-windows.sh plus x11-apps and imagemagick.
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

# embedded_shot FILE MODE: the test host starts the program in
# C:\ZARP\escuela; once it is drawn, the host writes where its window is
# (WxH+X+Y) into a signal file and waits until that file is removed.
embedded_shot() {
    local file=$1 mode=$2 signal="$drive_c/ZARP/host-window.txt" tries=0
    rm -f "$signal"
    (cd "$drive_c/ZARP/escuela" && exec env LC_ALL="$TVZ_WINE_LOCALE" wine "$e2e" screenshot-host \
        'C:\transVardelZarp\transVardelZarp.exe' "$mode" "$signal") </dev/null >/dev/null 2>&1 &
    local pid=$!
    until [ -s "$signal" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || { echo "screenshots: no host window" >&2; kill "$pid"; return 1; }
        sleep 0.2
    done
    sleep 0.5  # fully painted
    xwd -root -silent -out "$file.xwd"
    "$convert" "xwd:$file.xwd" -crop "$(cat "$signal")" +repage -strip "$file.png"
    rm -f "$signal"
    wait "$pid" || { echo "screenshots: the host reported a failure" >&2; return 1; }
}

e2e="$PWD/build/windows/tests/wine/tvz_e2e.exe"
embedded_shot "$out/window-embedded-export" exportar
rm -f "$out"/*.xwd
for f in "$out/window-standalone.png" "$out/window-embedded-export.png"; do
    echo "$f: $(/usr/bin/identify -format '%wx%h' "$f")"
done
