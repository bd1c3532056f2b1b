#!/usr/bin/env bash
# Installs whichever of the Debian packages named on the command line are missing; does nothing when all
# are present, so it is cheap to call before every build. A name starting with @ stands for a group
# below, so that every script asks for the same packages for the same purpose.
#
#   scripts/install-deps.sh @build @tests clang-14
set -euo pipefail

declare -A groups=(
    # Configuring and building everything CMake builds: program, tests, benchmarks, translations.
    [build]="build-essential cmake pkg-config qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
             qt6-l10n-tools libxcb1-dev libbenchmark-dev fonts-dejavu-core"
    # A private X server that scripts can wait for.
    [xvfb]="xvfb x11-utils"
    # What the CTest tests run besides the build: checkers and one end-to-end case on openbox.
    [tests]="clang-format shellcheck git desktop-file-utils appstream xvfb x11-utils xdotool wmctrl imagemagick
             xterm dbus-x11 openbox"
    # The end-to-end cases of every window manager, a decoration for KWin's title bars, a real slide show;
    # for the Wayland cases three compositors with Xwayland, a native full-screen window, the compositors'
    # D-Bus and screenshot clients, and Qt's Wayland plugin for the program run natively.
    [e2e]="xvfb x11-utils xdotool wmctrl imagemagick xterm dbus-x11 openbox xfwm4 mutter kwin-x11
           kwin-style-breeze libreoffice-impress libreoffice-gtk3
           kwin-wayland gnome-shell sway xwayland weston grim x11-xserver-utils python3 python3-dbus
           libglib2.0-bin qt6-wayland"
)

wanted=()
for name in "$@"; do
    if [[ $name == @* ]]; then
        [ -n "${groups[${name#@}]:-}" ] || { echo "unknown package group $name" >&2; exit 2; }
        read -ra members <<<"${groups[${name#@}]//$'\n'/ }"
        wanted+=("${members[@]}")
    else
        wanted+=("$name")
    fi
done

missing=()
declare -A seen=()
for package in "${wanted[@]}"; do
    [ -n "${seen[$package]:-}" ] && continue
    seen[$package]=1
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
