#!/usr/bin/env bash
# Builds the Debian package with CPack and proves that it installs and starts on a clean Debian 12:
# debootstraps a minimal bookworm into a folder, installs the package there with apt (which pulls in
# the dependencies dpkg-shlibdeps computed), starts the program under Xvfb inside it and takes a
# screenshot. Needs root and the Debian archive this system's apt uses (or $MIRROR); not part of CI,
# since it downloads a base system.
#
#   sudo scripts/try-package.sh [FOLDER]    (default /var/tmp/presenter-countdown-bookworm)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-/var/tmp/presenter-countdown-bookworm}
suite=bookworm

# debian_mirror SUITE: the first archive address apt's own sources give for that suite, from deb822
# files (*.sources) first, then one-line files (sources.list, *.list).
debian_mirror() {
    local sources=(/etc/apt/sources.list.d/*.sources) lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
    {
        for file in "${sources[@]}"; do
            [ -f "$file" ] || continue
            awk -v suite="$1" '
                BEGIN { RS = ""; FS = "\n" }
                {
                    delete value
                    key = ""
                    for (i = 1; i <= NF; i++) {
                        if ($i ~ /^#/) continue
                        if ($i ~ /^[ \t]/) { value[key] = value[key] " " $i; continue }
                        key = tolower($i); sub(/:.*/, "", key)
                        value[key] = $i; sub(/^[^:]*:/, "", value[key])
                    }
                    if (value["enabled"] ~ /no/) next
                    if ((" " value["types"] " ") !~ /[ \t]deb[ \t]/) next
                    if ((" " value["suites"] " ") !~ ("[ \t]" suite "[ \t]")) next
                    split(value["uris"], uris, " ")
                    if (uris[1] != "") print uris[1]
                }' "$file"
        done
        for file in "${lists[@]}"; do
            [ -f "$file" ] || continue
            awk -v suite="$1" '
                $1 == "deb" {
                    i = 2
                    if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
                    if ($(i + 1) == suite) print $i
                }' "$file"
        done
    } | head -n 1
}

mirror=${MIRROR:-$(debian_mirror "$suite")}
[ -n "$mirror" ] || { echo "apt's sources name no archive for $suite; set MIRROR" >&2; exit 1; }
echo "archive: $mirror"

bash scripts/install-deps.sh debootstrap dpkg-dev file
bash scripts/build.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(find build -maxdepth 1 -name 'presenter-countdown_*.deb' -printf '%T@ %p\n' | sort -rn | head -n 1 | cut -d' ' -f2)
echo "package: $deb, $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Installed-Size Depends Recommends

if [ ! -e "$root/etc/debian_version" ]; then
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >/dev/null
fi
cleanup() { umount "$root/proc" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -q >/dev/null
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" xvfb x11-utils imagemagick \
    >"$root/tmp/install.log"
# shellcheck disable=SC2016 # expanded by dpkg-query
echo "installed in the clean system: $(in_root dpkg-query -W -f='${Version} ${Installed-Size} kB' presenter-countdown)"
in_root presenter-countdown --version

# Inside, each step waits for what it needs: the server to answer, then a painted panel on the screen.
# shellcheck disable=SC2016 # expanded by the shell inside
in_root bash -c '
    waited() { [ $SECONDS -lt 30 ] || { echo "timed out: $1" >&2; exit 1; }; sleep 0.1; }
    rm -f /tmp/display /tmp/clean-system.png
    Xvfb -displayfd 3 -noreset -screen 0 1024x600x24 -nolisten tcp 3>/tmp/display >/dev/null 2>&1 &
    x=$!
    trap "kill \$x \${p:-} 2>/dev/null" EXIT
    until read -r n </tmp/display; do waited "the X server"; done
    export DISPLAY=:$n
    until xdpyinfo >/dev/null 2>&1; do waited "the X server to answer"; done
    presenter-countdown >/tmp/program.log 2>&1 &
    p=$!
    until import -window root /tmp/clean-system.png 2>/dev/null &&
        [ "$(convert /tmp/clean-system.png -format "%[fx:maxima>0]" info:)" = 1 ]; do
        waited "the panel"
    done'
cp "$root/tmp/clean-system.png" build/clean-system.png
echo "screenshot: build/clean-system.png"
