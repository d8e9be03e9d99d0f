#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: tools/install-deps.sh [test|run|package|bench|screenshots]...
set -euo pipefail

# Building and testing: the compiler, Qt 6 (Widgets, PrintSupport, Svg) and
# GoogleTest; NLopt for the design assistant's search; a Japanese font so that
# windows drawn in tests carry real glyphs; Qt's translation tools (lupdate,
# lrelease and their CMake functions) for the English texts.
packages=(g++ make cmake pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgtest-dev libgmock-dev
          qt6-tools-dev qt6-l10n-tools
          libnlopt-cxx-dev fonts-ipafont-gothic qt6-translations-l10n poppler-utils)
# The Debian package: dpkg-shlibdeps (dpkg-dev) reads its dependencies from the
# binaries, CPack finds the binaries with file, and lintian checks the package.
package_tools=(dpkg-dev file binutils lintian)
# The installed tree's tests: the desktop's own validators, the MIME database
# compiler and groff for the man pages.
install_tools=(desktop-file-utils appstream shared-mime-info groff-base)
for purpose in "$@"; do
  case "$purpose" in
    bench) packages+=(libbenchmark-dev) ;;
    screenshots) packages+=(xvfb xauth x11-apps imagemagick fonts-noto-cjk) ;;
    package) packages+=("${package_tools[@]}") ;;
    test) packages+=("${package_tools[@]}" "${install_tools[@]}") ;;
    run) ;;
    *) echo "install-deps: unknown purpose '$purpose'" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "install-deps: these packages are missing and this user cannot install them: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
