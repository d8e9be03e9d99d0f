#!/usr/bin/env bash
# Installs the build into a temporary root as a package would (prefix /usr),
# then compiles the root's MIME database as shared-mime-info does on a desktop.
# Usage: install-tree.sh BUILD_DIR ROOT
set -euo pipefail
build=$1 root=$2
rm -rf "$root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime"
echo "installed into $root"
