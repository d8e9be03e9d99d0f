#!/usr/bin/env bash
# Pictures of every window, taken under Xvfb as a user's X server would draw
# them. Usage: tools/screenshots.sh BUILD_FOLDER OUTPUT_FOLDER
set -euo pipefail
build=${1:-build}
out=${2:-screenshots}
screens="$build/tools/screens/potelan-screens"
if [ ! -x "$screens" ]; then
  echo "screenshots: $screens is missing; build first (make build)" >&2
  exit 1
fi
mkdir -p "$out"
# The settings file is read from the current folder: run in a scratch one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
examples=$(cd examples && pwd)
outAbs=$(mkdir -p "$out" && cd "$out" && pwd)
screensAbs=$(cd "$(dirname "$screens")" && pwd)/$(basename "$screens")
(cd "$work" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" \
   "$screensAbs" "$outAbs" "$examples")
# The first page of the report's PDF, as a picture.
if [ -f "$out/13-report.pdf" ]; then
  if command -v pdftoppm >/dev/null 2>&1; then
    pdftoppm -png -r 96 -f 1 -l 1 -singlefile "$out/13-report.pdf" "$out/13-report-page1"
  else
    echo "screenshots: pdftoppm (poppler-utils) is missing; the report's page is not pictured" >&2
  fi
fi
echo "screenshots: written to $out/"
