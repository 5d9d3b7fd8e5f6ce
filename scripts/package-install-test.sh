#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Installs the package built by scripts/package.sh into a clean Debian 12
# (a fresh copy of a minimal debootstrap kept in build-deb/debian12-base),
# runs both programs, hides
# and recovers a file, purges the package and checks that none of its files
# remain. Needs root and the network.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls build-deb/veldra_*.deb)
base=build-deb/debian12-base
root=build-deb/clean-root
bash scripts/deps.sh debootstrap
if [[ ! -x $base/usr/bin/apt-get ]]; then
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian
fi
rm -rf "$root"
cp -a "$base" "$root"
cp "$deb" "$root/tmp/veldra.deb"
cp data/icons/256.png "$root/tmp/payload.png"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
trap 'umount "$root/dev/pts" "$root/dev" "$root/proc"' EXIT

chroot "$root" /bin/bash -euo pipefail -c '
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq /tmp/veldra.deb >/dev/null
dpkg -L veldra | sort > /tmp/files
veldra-cli --version
veldra --version
head -c 54 /dev/zero > /tmp/x.bmp  # not a bitmap: refused, exit 1
if veldra-cli info /tmp/x.bmp; then exit 1; fi
printf "BM" > /tmp/p.bmp; head -c 52 /dev/zero >> /tmp/p.bmp
printf "\x18\x00\x00\x00" | dd of=/tmp/p.bmp bs=1 seek=28 conv=notrunc status=none
printf "\x36\x00\x00\x00" | dd of=/tmp/p.bmp bs=1 seek=10 conv=notrunc status=none
printf "\x28\x00\x00\x00\x00\x02\x00\x00\x00\x02\x00\x00" | dd of=/tmp/p.bmp bs=1 seek=14 conv=notrunc status=none
head -c $((512 * 512 * 3)) /dev/urandom >> /tmp/p.bmp
veldra-cli add /tmp/p.bmp /tmp/payload.png
veldra-cli extract /tmp/p.bmp payload.png -o - | cmp - /tmp/payload.png
veldra-cli analyse /tmp/p.bmp --json | grep -q '"detected"'
veldra-cli carrier /tmp/payload.png /tmp/icon.bmp | grep -q "capacity: 24576"
apt-get purge -y -qq veldra >/dev/null
left=0
while read -r path; do
  if [[ -f $path || -L $path ]]; then echo "left behind: $path"; left=1; fi
  # A folder stays only while another package owns it too.
  if [[ -d $path && -z $(ls -A "$path") ]] && ! dpkg -S "$path" >/dev/null 2>&1; then
    echo "empty folder left: $path"
    left=1
  fi
done < /tmp/files
exit $left
'
echo "The package installs, works and purges cleanly on a fresh Debian 12."
