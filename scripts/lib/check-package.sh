#!/usr/bin/env bash
# Installs a Kestrel .deb with apt-get in a clean Debian root file system and
# runs the installed programs there, as a user on a fresh machine would.
# Called by scripts/package --check; needs root and Debian's package mirror.
#   check-package.sh DEB
set -euo pipefail
KESTREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
deb=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "check-package: debootstrap and chroot need root" >&2; exit 1; }

# The build machine's own Debian release: the package's dependencies name
# that release's library versions.
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=http://deb.debian.org/debian
root=$KESTREL_ROOT/build/debian-root
# A pristine root is kept as a tar file, so a second check skips debootstrap.
base=$KESTREL_ROOT/build/debian-$suite-minbase.tar

if [ ! -f "$base" ]; then
    echo "debootstrap $suite into $root (once)" >&2
    rm -rf "$root"
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >&2
    tar -C "$root" -cf "$base.part" . && mv "$base.part" "$base"
fi
rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "apt-get install ./$(basename "$deb") in a clean $suite" >&2
in_root apt-get update -qq >&2
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")" >&2

status=0
fail() { echo "FAILED: $*" >&2; status=1; }

in_root kestrel-cli generate /usr/share/kestrel/samples/agilent34401.kestrel.json --date 2026-12-05 \
    --lcid 1033 --config-dir /usr/share/kestrel/demo-tessel >"$root/tmp/34401.txt" || fail "kestrel-cli generate"
cmp "$root/tmp/34401.txt" "$KESTREL_ROOT/tests/data/golden/meter_agilent34401.txt" ||
    fail "the installed kestrel-cli wrote another procedure than the golden one"
for file in /usr/share/applications/org.kestrelcal.Kestrel.desktop \
            /usr/share/icons/hicolor/scalable/apps/org.kestrelcal.Kestrel.svg \
            /usr/share/metainfo/org.kestrelcal.Kestrel.metainfo.xml \
            /usr/share/mime/packages/org.kestrelcal.Kestrel.xml \
            /usr/share/man/man1/kestrel-cli.1.gz /usr/share/kestrel/demo-tessel/tessel.ini; do
    [ -f "$root$file" ] || fail "missing $file"
done

# The window program and the Qt plug-ins it loads without linking them: the
# X11 platform plug-in must find every library it needs.
if [ -f "$root/usr/bin/kestrel" ]; then
    plugin=$(in_root sh -c 'ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so' 2>/dev/null) ||
        fail "Qt's X11 platform plug-in is not installed"
    for binary in /usr/bin/kestrel ${plugin:-}; do
        ! in_root ldd "$binary" | grep 'not found' || fail "$binary lacks libraries"
    done
    in_root fc-list | grep . >/dev/null || fail "no font is installed"
fi

[ "$status" -eq 0 ] && echo "The package installs and runs in a clean $suite." >&2
exit "$status"
