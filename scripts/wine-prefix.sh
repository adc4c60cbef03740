#!/usr/bin/env bash
# Creates a Wine prefix once: wine-prefix.sh DIR. Safe to call from parallel test runs.
set -euo pipefail
prefix="$1"
[ -f "$prefix/.braden-ready" ] && exit 0
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
(
    flock 9
    [ -f "$prefix/.braden-ready" ] && exit 0
    wine wineboot -i >/dev/null 2>&1 || true
    reg() { wine reg add "$@" /f >/dev/null 2>&1; }
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei UI' /t REG_SZ /d 'WenQuanYi Micro Hei'
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Consolas' /t REG_SZ /d 'WenQuanYi Micro Hei Mono'
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
    # Xvfb has no window manager; unmanaged windows keep Wine from waiting for one.
    reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
    wineserver -w
    touch "$prefix/.braden-ready"
) 9>"$prefix.lock"
