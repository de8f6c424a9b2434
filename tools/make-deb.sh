#!/usr/bin/env bash
# Makes build/deb/velmora_<version>-1_<arch>.deb: the editor and velmora-cli built with
# Debian's hardening flags, laid out by the project's install rules under /usr, with the
# dependencies dpkg-shlibdeps finds. Then checks the package with lintian (no error allowed),
# the metainfo with appstreamcli and the desktop entry with desktop-file-validate.
# Usage: tools/make-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

for tool in dpkg-deb dpkg-shlibdeps dpkg-gencontrol fakeroot lintian appstreamcli \
  desktop-file-validate; do
  command -v "$tool" >/dev/null || {
    echo "make-deb: $tool is missing (tools/install-deps.sh installs it)" >&2
    exit 1
  }
done

version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
revision=1
arch=$(dpkg --print-architecture)
out=build/deb
build=$out/build
stage=$out/root
package=$out/velmora_$version-${revision}_$arch.deb

# Debian's own flags (fortify, stack protector, relro, bind-now) without debug info, which
# the stripped programs would drop anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS" CFLAGS="$CFLAGS $CPPFLAGS"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DVELMORA_WERROR=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target velmora velmora-cli
[ -x "$build/src/window/velmora" ] || {
  echo "make-deb: the window was not built: Qt 6 is missing (tools/install-deps.sh installs it)" >&2
  exit 1
}

rm -rf "$stage" "$out/source" "$package"
DESTDIR="$root/$stage" cmake --install "$build" --strip >/dev/null
doc=$stage/usr/share/doc/velmora
mkdir -p "$doc"
cp packaging/deb/copyright "$doc/"
gzip -9n -c packaging/deb/changelog >"$doc/changelog.Debian.gz"
gzip -9n "$stage"/usr/share/man/man1/*.1
# Files 0644 and folders 0755 whatever the umask of the machine that builds.
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/bin/"*

# dpkg-gencontrol and dpkg-shlibdeps work from a source tree's debian/ folder.
mkdir -p "$out/source/debian"
cp packaging/deb/control packaging/deb/changelog "$out/source/debian/"
mkdir -p "$stage/DEBIAN"
(
  cd "$out/source"
  dpkg-shlibdeps -Tdebian/substvars "$root/$stage/usr/bin/velmora" "$root/$stage/usr/bin/velmora-cli"
  dpkg-gencontrol -pvelmora -P"$root/$stage" -Tdebian/substvars -Vmisc:Depends= -c"debian/control" \
    -l"debian/changelog" -f"debian/files"
)
fakeroot dpkg-deb --build --root-owner-group -Zxz "$stage" "$package" >/dev/null
echo "Made $package"

# Every check runs and reports before the script fails.
status=0
lintian --fail-on error --tag-display-limit 0 "$package" || status=1
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" || status=1
desktop-file-validate "$stage/usr/share/applications/org.velmora.Velmora.desktop" || status=1
[ "$status" -eq 0 ] || {
  echo "make-deb: $package does not pass Debian's checks" >&2
  exit 1
}
echo "Checked $package: lintian (no error), appstreamcli and desktop-file-validate pass."
