#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder, unpacks it
# into a temporary root with dpkg-deb and runs the installed potelan-cli from
# there, with no library path of the build's: its version, and a sweep of an
# installed example that must print what the built program prints.
# Usage: check-deb.sh BUILD_DIR VERSION INSTALLED_ROOT
set -uo pipefail
build=$1 version=$2 installed=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$tmp"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: expected one .deb, found: ${debs[*]}"
  exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

# --- control fields: name, version from project(), dependencies read from the binaries
[ "$(dpkg-deb -f "$deb" Package)" = potelan ] || fail "package name is '$(dpkg-deb -f "$deb" Package)'"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is '$(dpkg-deb -f "$deb" Version)'"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# dpkg-shlibdeps names the library packages with the versions the binaries need.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  echo "$depends" | grep -Eq "(^|, )${lib//+/\\+} \(>= [^)]+\)" || fail "Depends does not name $lib with a version"
done

echo "$depends" | grep -Eq '(^|, )qt6-qpa-plugins(,|$)' || fail "Depends does not name qt6-qpa-plugins"

# --- lintian, where it is installed, reports no error and no warning. It only
# reads the package, so it may run as root (as CI does) without its caution.
if command -v lintian >/dev/null; then
  as_root=(); [ "$(id -u)" -eq 0 ] && as_root=(--allow-root)
  lintian "${as_root[@]}" --fail-on error,warning "$deb" || fail "lintian reports errors or warnings (above)"
fi

# --- the package holds exactly what `cmake --install` lays out
dpkg-deb -x "$deb" "$tmp/root"
(cd "$tmp/root" && find . -type f | sort) >"$tmp/deb-files"
(cd "$installed" && find . -type f -not -path './usr/share/mime/*' | sort) >"$tmp/install-files"
(cd "$installed" && find ./usr/share/mime/packages -type f | sort) >>"$tmp/install-files"
sort -o "$tmp/install-files" "$tmp/install-files"
diff -u "$tmp/install-files" "$tmp/deb-files" || fail "the package's files differ from the installed tree"

# --- the installed programs run from the unpacked root alone
cli=$tmp/root/usr/bin/potelan-cli
for exe in "$cli" "$tmp/root/usr/bin/potelan"; do
  readelf -d "$exe" | grep -Eq 'R(UN)?PATH' && fail "$(basename "$exe") carries a library path: $(readelf -d "$exe" | grep -E 'R(UN)?PATH')"
done
out=$(env -u LD_LIBRARY_PATH "$cli" --version 2>&1)
[ "$out" = "potelan-cli $version" ] || fail "installed potelan-cli --version printed '$out'"

example=$tmp/root/usr/share/doc/potelan/examples/type4.lin
mkdir "$tmp/work"  # no potelan.ini here: the default maximum stroke
(cd "$tmp/work" && env -u LD_LIBRARY_PATH "$cli" sweep "$example" --format table) >"$tmp/installed.txt" 2>&1
rc=$?
[ $rc -eq 0 ] || fail "installed potelan-cli sweep exited with $rc: $(head -3 "$tmp/installed.txt")"
(cd "$tmp/work" && "$build/src/cli/potelan-cli" sweep "$example" --format table) >"$tmp/built.txt" 2>&1
[ "$(grep -c . "$tmp/installed.txt")" -gt 30 ] || fail "the installed sweep printed too few rows"
cmp -s "$tmp/installed.txt" "$tmp/built.txt" || fail "the installed sweep differs from the built program's"

if [ $failures -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "package complete"
