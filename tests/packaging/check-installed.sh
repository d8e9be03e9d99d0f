#!/usr/bin/env bash
# Checks the tree that `cmake --install` lays out: both programs and their
# version, the desktop entry and the AppStream metainfo (validated by the
# desktop's own tools), the icon in every size it names, the link-file type
# that the desktop entry opens, the man pages and the examples.
# Usage: check-installed.sh ROOT VERSION SOURCE_DIR
set -uo pipefail
root=$1 version=$2 source=$3
share=$root/usr/share
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- programs: the version is the one project() holds. Asked on a machine
# without a display, a program that looked for one first would refuse to say.
for program in potelan potelan-cli; do
  exe=$root/usr/bin/$program
  if [ ! -x "$exe" ]; then fail "$exe is not installed"; continue; fi
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_LIBRARY_PATH "$exe" --version 2>&1)
  [ "$out" = "$program $version" ] || fail "$program --version printed '$out', not '$program $version'"
done

# --- the desktop program answers its command line without looking for a
# display: help on stdout with status 0, a mistake on stderr with status 2.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_LIBRARY_PATH)
for option in --help -h; do
  out=$("${nodisplay[@]}" "$root/usr/bin/potelan" "$option" 2>/dev/null); rc=$?
  [ $rc -eq 0 ] && grep -q '^Usage: .*potelan \[options\] \[FILE\]' <<<"$out" || fail "potelan $option gave status $rc: '$out'"
done
err=$("${nodisplay[@]}" "$root/usr/bin/potelan" --no-such-option 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] && grep -q 'no-such-option' <<<"$err" || fail "an unknown option gave status $rc: '$err'"

# --- desktop entry
desktop=$(ls "$share"/applications/*.desktop 2>/dev/null)
if [ "$(echo "$desktop" | grep -c .)" -ne 1 ]; then
  fail "expected one desktop entry, found: $desktop"
else
  report=$(desktop-file-validate "$desktop" 2>&1); rc=$?
  [ -n "$report" ] && echo "$report"
  [ $rc -eq 0 ] || fail "desktop-file-validate rejected $desktop"
  echo "$report" | grep -Eq '(error|warning):' && fail "desktop-file-validate reported errors or warnings"
  key() { sed -n "s/^$1=//p" "$desktop" | head -1; }
  [ "$(key Categories)" = "Science;Engineering;" ] ||
    fail "Categories is '$(key Categories)'"
  for k in Name Comment; do
    [ -n "$(key "$k")" ] || fail "no English $k"
    key "$k\[ja\]" | grep -Pq '[\x{3040}-\x{30ff}\x{4e00}-\x{9fff}]' || fail "no Japanese $k[ja]"
  done
  exec_line=$(key Exec)
  [[ "$exec_line" =~ ^potelan\ %[fFuU]$ ]] || fail "Exec '$exec_line' does not hand a file to potelan"
  icon=$(key Icon)
  [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon '$icon'"
  for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
    file "$png" | grep -q "PNG image data, $size x $size" || fail "no $size px icon at $png"
  done
  # Every type the entry opens is defined by an installed MIME package.
  mimes=$(key MimeType)
  [ -n "$mimes" ] || fail "the desktop entry opens no file type"
  IFS=';' read -ra types <<<"$mimes"
  for type in "${types[@]}"; do
    [ -f "$share/mime/$type.xml" ] || fail "MIME type $type is not defined by an installed package"
  done
fi

# --- link-file type: name and content rules as compiled by update-mime-database
grep -q ':application/x-potelan-link:\*\.lin$' "$share/mime/globs2" 2>/dev/null ||
  fail "*.lin is not bound to application/x-potelan-link"
grep -aq 'SUSTYPE=' "$share/mime/magic" 2>/dev/null || fail "no SUSTYPE= magic in the MIME database"

# --- AppStream: the metainfo, its desktop entry and icon, validated together
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree failed"
metainfo=$(ls "$share"/metainfo/*.metainfo.xml 2>/dev/null | head -1)
shot=$(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$metainfo" | head -1)
[ -n "$shot" ] || fail "the metainfo has no screenshot"
cmp -s "$share/doc/potelan/images/$(basename "$shot")" "$source/docs/images/editing.png" ||
  fail "the metainfo's screenshot '$shot' is not the README's picture installed with the documentation"

# --- man pages, compressed, render without warnings and name their program
for program in potelan potelan-cli; do
  page=$share/man/man1/$program.1.gz
  if [ ! -f "$page" ]; then fail "no man page $program(1)"; continue; fi
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$program(1) renders with warnings: $warnings"
  zcat "$page" | grep -A1 '^\.SH NAME' | tail -1 | grep -q "^$program \\\\-" || fail "$program(1) names another program"
done

# --- copyright: LICENSE's text in Debian's machine-readable form; changelog:
# a Debian changelog whose newest entry is this version on the metainfo's day
doc=$share/doc/potelan
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
  fail "the copyright file is not machine-readable"
cmp -s <(sed -n '/^Permission/,$p' "$source/LICENSE") \
  <(sed -n '/^License: Expat$/,$p' "$doc/copyright" | tail -n +2 | sed 's/^ //; s/^\.$//') ||
  fail "the copyright file does not carry the text of LICENSE"
changelog() { zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S "$1" 2>&1; }
release_day=$(sed -n "s:.*<release version=\"$version\" date=\"\\(.*\\)\"/>.*:\\1:p" "$metainfo")
[ "$(changelog Version)" = "$version" ] || fail "the changelog's newest entry is '$(changelog Version)'"
[ "$(changelog Date)" = "$(date -u -R -d "$release_day")" ] ||
  fail "the changelog's date '$(changelog Date)' is not the release day '$release_day'"

# --- every example, unchanged, under the documentation folder
for example in "$source"/examples/*.lin; do
  cmp -s "$example" "$share/doc/potelan/examples/$(basename "$example")" ||
    fail "example $(basename "$example") is not installed as it is"
done

if [ $failures -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "installed tree complete"
