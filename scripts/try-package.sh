#!/usr/bin/env bash
# Builds the Debian package with CPack and proves that it installs and starts on a clean Debian 12:
# debootstraps a minimal bookworm into a folder, installs the package there with apt (which pulls in
# the dependencies dpkg-shlibdeps computed), starts the program under Xvfb inside it and takes a
# screenshot. Needs root and Debian's package mirror; not part of CI, since it downloads a base system.
#
#   sudo scripts/try-package.sh [FOLDER]    (default /var/tmp/presenter-countdown-bookworm)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-/var/tmp/presenter-countdown-bookworm}
mirror=${MIRROR:-http://deb.debian.org/debian}

bash scripts/install-deps.sh debootstrap dpkg-dev file
bash scripts/build.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/presenter-countdown_*.deb | head -n 1)
echo "package: $deb, $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Installed-Size Depends Recommends

if [ ! -e "$root/etc/debian_version" ]; then
    debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
fi
cleanup() { umount "$root/proc" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -q >/dev/null
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" xvfb imagemagick >"$root/tmp/install.log"
echo "installed in the clean system: $(in_root dpkg-query -W -f='${Version} ${Installed-Size} kB' presenter-countdown)"
in_root presenter-countdown --version

in_root sh -c 'Xvfb :7 -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 & x=$!; sleep 2;
    DISPLAY=:7 presenter-countdown >/tmp/program.log 2>&1 & p=$!; sleep 4;
    DISPLAY=:7 import -window root /tmp/clean-system.png; kill $p $x'
cp "$root/tmp/clean-system.png" build/clean-system.png
echo "screenshot: build/clean-system.png"
