# Sourced by the test and demo scripts: one Wine prefix per build folder, made once,
# headless (null graphics driver), with a warm wineserver for the whole run.
#   zu_wine_up BUILD_DIR    create/prepare the prefix and start a persistent wineserver
#   zu_wine_down            stop the wineserver of the prefix
zu_wine_up() {
    local build_dir
    build_dir=$(cd "$1" && pwd)
    export WINEPREFIX="$build_dir/wineprefix"
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEARCH=win64
    # No Mono or Gecko installers: the tests need neither, and they would ask to download.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Portuguese texts live in code page 1252.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    if [ ! -f "$WINEPREFIX/.zu-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1 || true
        wineserver -w
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        # A crashing test program ends at once instead of waiting in the debugger.
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.zu-ready"
    fi
    wineserver -p >/dev/null 2>&1 || true
}

zu_wine_down() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}
