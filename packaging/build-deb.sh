#!/usr/bin/env bash
# Makes the Debian package from a finished build folder, with dpkg's own
# tools: the layout of `cmake --install` under /usr, binaries stripped as
# Debian strips them, manual pages and the changelog compressed, the
# control file made by dpkg-gencontrol (Installed-Size counts every file
# once) with the libraries found by dpkg-shlibdeps. Prints the package's
# path.
#
#   packaging/build-deb.sh BUILD_FOLDER OUT_FOLDER
set -euo pipefail
build="$(cd "${1:?usage: build-deb.sh BUILD_FOLDER OUT_FOLDER}" && pwd)"
mkdir -p "${2:?usage: build-deb.sh BUILD_FOLDER OUT_FOLDER}"
out="$(cd "$2" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"

work="$(mktemp -d /tmp/halvenrode-deb-XXXXXX)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
fail() { echo "build-deb.sh: $*" >&2; exit 1; }

for file in main.pak utils.pak clock.pak calendar.pak preview.ppk; do
  [ -f "$build/$file" ] || fail "the build has no $file"
done
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

# Binaries without debugging symbols, .comment or .note, as dh_strip leaves
# them.
binaries=()
while IFS= read -r -d '' file; do
  if [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ]; then
    strip --remove-section=.comment --remove-section=.note "$file"
    binaries+=("$file")
  fi
done < <(find "$root" -type f -perm -u+x -print0)
[ ${#binaries[@]} -gt 0 ] || fail "no programs were installed"

find "$root/usr/share/man" -type f -exec gzip -9n {} +
docs="$root/usr/share/doc/halvenrode"
install -d "$docs" "$root/usr/share/lintian/overrides"
install -m 644 "$here/debian/copyright" "$docs/copyright"
gzip -9n <"$here/debian/changelog" >"$docs/changelog.gz"
install -m 644 "$here/debian/lintian-overrides" "$root/usr/share/lintian/overrides/halvenrode"
chmod -R u+w,go-w,a+rX "$root"

# Everything installed under /etc is configuration the administrator may
# change; the machine-wide settings are removed on purge by postrm.
install -d "$root/DEBIAN"
(cd "$root" && find etc -type f -printf '/%p\n' | sort) >"$root/DEBIAN/conffiles"
install -m 755 "$here/debian/postrm" "$root/DEBIAN/postrm"
# Checksums of every file but the configuration, which dpkg tracks itself.
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"

# dpkg's tools work in a source folder with debian/control.
mkdir -p "$work/debian"
cp "$here/debian/control" "$here/debian/changelog" "$work/debian/"
(cd "$work" && dpkg-shlibdeps -Tdebian/substvars "${binaries[@]}" 2>"$work/shlibdeps.log") ||
  { cat "$work/shlibdeps.log" >&2; fail "dpkg-shlibdeps failed"; }
(cd "$work" && dpkg-gencontrol -phalvenrode -Tdebian/substvars -Proot -fdebian/files)
dpkg-deb --root-owner-group -Zxz --build "$root" "$out" >"$work/deb.log" ||
  { cat "$work/deb.log" >&2; fail "dpkg-deb failed"; }
version="$(dpkg-parsechangelog -l"$here/debian/changelog" -SVersion)"
echo "$out/halvenrode_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
