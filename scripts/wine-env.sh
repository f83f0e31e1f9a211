# Source this file: a quiet, offline Wine for the Windows tests and the
# screenshots. Needs the Debian packages wine, wine64, fonts-wine and
# fonts-liberation; 32-bit Windows also wine32 (i386).
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

# A 64-bit Windows (it runs 32-bit programs too when wine32 is installed).
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts, no menu entries written to $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
TVZ_WINE_LOCALE="${TVZ_WINE_LOCALE:-es_ES.UTF-8}"
_tvz_prefix_is_temp=0

# Chooses the Windows of the next prefix: win64, or win32 (a 32-bit Windows,
# no 64-bit programs; needs wine32).
wine_arch() { export WINEARCH=$1; }

# Whether 32-bit Windows programs can run here (Debian's wine32, i386).
wine_has_32bit() {
    dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
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
