# Source this file, from the top of the checkout: a quiet, offline Wine for
# the Windows tests and the screenshots, started through the loader this
# machine can run (wine_choose_loader, called here). Needs the Debian packages
# wine, wine64, fonts-wine and fonts-liberation; 32-bit Windows also wine32
# (i386), on a machine that runs 32-bit programs.
#
#   . scripts/wine-env.sh
#   wine_arch win32      # optional, before the prefix: a 32-bit Windows
#   wine_prefix_new      # a fresh prefix in a temp dir (about 7 s)
#   wine_start           # the Wine services, started with stdio redirected
#   ...                  # wine runs
#   wine_stop            # ends the server, removes a prefix made by wine_prefix_new
#
# Wine's user locale follows LC_ALL (C gives en-US); the program's collation
# is Spanish on a Spanish Windows, so every wine process gets es_ES. It is
# passed per command, so that the shells here do not complain about a
# locale that glibc has not generated.

# A 64-bit Windows (it runs 32-bit programs too where 32-bit Wine runs).
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts, no menu entries written to $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
TVZ_WINE_LOCALE="${TVZ_WINE_LOCALE:-es_ES.UTF-8}"
_tvz_prefix_is_temp=0
_tvz_wine32_loader=/usr/lib/wine/wine
_tvz_wine64_loader=/usr/lib/wine/wine64

# Chooses the Windows of the next prefix: win64, or win32 (a 32-bit Windows,
# no 64-bit programs; needs 32-bit Wine).
wine_arch() { export WINEARCH=$1; }

# Whether 32-bit Windows programs can run here, decided by running Debian's
# 32-bit Wine loader (wine32:i386), not by asking whether it is installed: a
# kernel without 32-bit support installs the package and then answers every
# start with "Exec format error". TVZ_WINE32=yes or no forces the answer.
# The answer, and why, is kept in TVZ_WINE32_RUNS and TVZ_WINE32_WHY for the
# scripts this one starts.
wine_probe_32bit() {
    [ -n "${TVZ_WINE32_RUNS:-}" ] && return 0
    local answer out
    case "${TVZ_WINE32:-}" in
        yes) answer=yes; TVZ_WINE32_WHY="forced by TVZ_WINE32=yes" ;;
        no) answer=no; TVZ_WINE32_WHY="forced by TVZ_WINE32=no" ;;
        *)
            if [ ! -e "$_tvz_wine32_loader" ]; then
                answer=no; TVZ_WINE32_WHY="32-bit Wine (wine32:i386) is not installed"
            # Through bash's exec: a program the kernel refuses is an error,
            # not a shell script (as for execvp).
            elif out=$(timeout 20 bash -c 'exec "$0" --version' "$_tvz_wine32_loader" 2>&1 </dev/null); then
                answer=yes; TVZ_WINE32_WHY="$_tvz_wine32_loader --version: $out"
            else
                answer=no
                TVZ_WINE32_WHY="this machine cannot run 32-bit programs ($_tvz_wine32_loader --version: $(printf '%s' "$out" | head -n 1 | sed 's/^.*: //'))"
            fi ;;
    esac
    export TVZ_WINE32_RUNS=$answer TVZ_WINE32_WHY
}

wine_has_32bit() {
    wine_probe_32bit
    [ "$TVZ_WINE32_RUNS" = yes ]
}

# Every Wine command of the project goes through one loader. Where 32-bit
# Wine runs, Debian's wrappers choose as they always have. Where it does not,
# they would still start the 32-bit loader whenever wine32 is installed
# (wine, wine-stable, and wineboot, winecfg... through wineapploader), so
# commands of the same names that start the 64-bit loader come first in PATH
# (build/wine64-only/), with WINELOADER naming it for the processes Wine
# starts itself; wineserver already prefers its 64-bit server.
wine_choose_loader() {
    wine_probe_32bit
    [ "$TVZ_WINE32_RUNS" = yes ] && return 0
    [ -n "${TVZ_WINE_SHIMS:-}" ] && return 0
    if [ ! -x "$_tvz_wine64_loader" ]; then
        echo "wine-env: no 64-bit Wine loader ($_tvz_wine64_loader): install wine64" >&2
        return 1
    fi
    TVZ_WINE_SHIMS="$(pwd -P)/build/wine64-only"
    mkdir -p "$TVZ_WINE_SHIMS"
    local name
    for name in wine wine-stable wine64; do
        printf '#!/bin/sh
# The 64-bit Wine loader only (scripts/wine-env.sh).
exec %s "$@"
' \
            "$_tvz_wine64_loader" >"$TVZ_WINE_SHIMS/$name"
        chmod +x "$TVZ_WINE_SHIMS/$name"
    done
    export TVZ_WINE_SHIMS WINELOADER="$_tvz_wine64_loader" PATH="$TVZ_WINE_SHIMS:$PATH"
}

# Runs a command with the Wine locale.
wine_env() { LC_ALL="$TVZ_WINE_LOCALE" "$@"; }

# Creates and sets up a new prefix in a temp dir and exports WINEPREFIX.
wine_prefix_new() {
    WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/tvz-wineprefix.XXXXXX")"
    export WINEPREFIX
    _tvz_prefix_is_temp=1
    wine_prefix_setup
}

# Sets up $WINEPREFIX unless it is set up already.
wine_prefix_setup() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    mkdir -p "$WINEPREFIX"
    # A win64 prefix without wine32 prints a harmless syswow64\rundll32.exe
    # error.
    wine_env wineboot -i </dev/null >/dev/null 2>&1 || true
    # Debian's Wine does not load its own fonts from /usr/share/wine/fonts:
    # MS Sans Serif and Tahoma exist only once they are in the prefix.
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon \
        "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # No window manager under Xvfb: unmanaged windows (otherwise every hide
    # waits 2 s for the WM), with captions that Wine draws itself.
    local key='HKCU\Software\Wine\X11 Driver'
    wine_env wine reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wine_env wine reg add "$key" /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    # Arial is Liberation Sans here; let it answer to its own name.
    wine_env wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
        /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1
    # The registry is saved when the server ends.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# A persistent server with its services. The services inherit the stdio of
# the first wine client: started under ctest they would hold its output pipe
# open (each test then waits for them, or ctest hangs), so start them here.
wine_start() {
    wineserver -p
    wine_env wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}

wine_stop() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ "$_tvz_prefix_is_temp" = 1 ] && [ -n "${WINEPREFIX:-}" ]; then
        rm -rf "$WINEPREFIX"
        _tvz_prefix_is_temp=0
    fi
}

# Re-runs the calling script under a private Xvfb server, once:
#   . scripts/wine-env.sh; under_xvfb "$0" "$@"
under_xvfb() {
    if [ -z "${TVZ_UNDER_XVFB:-}" ]; then
        export TVZ_UNDER_XVFB=1
        exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$@"
    fi
}

wine_choose_loader
