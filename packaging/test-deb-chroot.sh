#!/usr/bin/env bash
# Installs the Debian package in a fresh Debian 12 (bookworm) chroot with only what its
# declared dependencies pull in, then, as an ordinary user, runs a case with tubalon-calc
# and starts the window program for a few seconds.
#   packaging/test-deb-chroot.sh [PACKAGE.deb] [CHROOT]
# PACKAGE.deb defaults to the newest build/tubalon_*.deb (cd build && cpack -G DEB); CHROOT
# to a new folder under /var/tmp, removed afterwards unless KEEP_CHROOT=1. Needs root,
# debootstrap (installed when missing) and the Debian mirror (DEBIAN_MIRROR, default
# http://deb.debian.org/debian). Takes some minutes: most of it is debootstrap.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls -t build/tubalon_*.deb 2>/dev/null | head -1)}
[ -f "$deb" ] || { echo "no package: build it with (cd build && cpack -G DEB)"; exit 2; }
deb=$(realpath "$deb")
given_root=${2:-}
root=${given_root:-$(mktemp -d /var/tmp/tubalon-chroot.XXXXXX)}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot)"; exit 2; }
command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

cleanup() {
    umount "$root/proc" 2>/dev/null || true
    umount "$root/dev" 2>/dev/null || true
    if [ -z "$given_root" ] && [ "${KEEP_CHROOT:-0}" != 1 ]; then rm -rf "$root"; fi
}
trap cleanup EXIT

if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== debootstrap bookworm into $root"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { tail -20 "$root.debootstrap.log"; exit 1; }
    rm -f "$root.debootstrap.log"
fi
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== install $(basename "$deb") with its dependencies only"
cp "$deb" "$root/tmp/tubalon.deb"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    /tmp/tubalon.deb >/dev/null
in_root dpkg-query -W -f='${Package} ${Version}\n' tubalon

echo "== run a case as an ordinary user"
in_root useradd -m tester 2>/dev/null || true
as_tester() {
    chroot --userspec=tester:tester "$root" env -i PATH=/usr/bin:/bin HOME=/home/tester \
        LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/tester-run "$@"
}
mkdir -p "$root/tmp/tester-run" && chroot "$root" chown tester:tester /tmp/tester-run
chmod 700 "$root/tmp/tester-run"
report=$(as_tester tubalon-calc /usr/lib/tubalon/Examples/water-water.cdp --report)
echo "$report" | grep -E "总管长|动力粘度|绝对粗糙度"
for want in "总管长" "0.000404" "0.000801" "绝对粗糙度"; do
    grep -q "$want" <<<"$report" || { echo "report lacks $want"; exit 1; }
done
json=$(as_tester tubalon-calc --set WrD=1 --set WrU=1 --json)
python3 -c 'import json, sys; f = json.load(sys.stdin)["WrD"]; print("WrD:", f)
assert f["text"] == "3600" and f["unit"] == "kg/h", "1 kg/s is not 3600 kg/h"' <<<"$json"

echo "== start the window program (offscreen) for 5 seconds"
set +e
as_tester timeout 5 tubalon
rc=$?
set -e
[ $rc -eq 124 ] || { echo "tubalon ended with $rc instead of running"; exit 1; }
[ -d "$root/home/tester/.config/Tubalon" ] ||
    { echo "no settings folder in the user's configuration folder"; exit 1; }
echo "tubalon ran; settings folder: /home/tester/.config/Tubalon"
echo "== the package installs and runs on a clean Debian 12"
