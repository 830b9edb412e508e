#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix, as a user or a packager
# would, and checks what lands there: the exact list of files, the programs
# running from the prefix, the desktop entry, the icons, the examples, and
# that the MIME database built from the prefix alone gives a .QLC file the
# circuit type.
#
#   check-install.sh CMAKE BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail

cmake=$1
build=$2
source=$3
version=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A command that fails outside the checks stops the test: say which.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
prefix="$work/prefix"
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install" >&2
  exit 1
}

# ---------------------------------------------------------------------------
# Exactly these files, nothing missing and nothing else (no test programs, no
# libraries, no headers).
cat >"$work/expected" <<'EOF'
bin/quillet
bin/quillet-cli
share/applications/quillet.desktop
share/icons/hicolor/128x128/apps/quillet.png
share/icons/hicolor/16x16/apps/quillet.png
share/icons/hicolor/256x256/apps/quillet.png
share/icons/hicolor/32x32/apps/quillet.png
share/icons/hicolor/48x48/apps/quillet.png
share/icons/hicolor/64x64/apps/quillet.png
share/icons/hicolor/scalable/apps/quillet.svg
share/icons/hicolor/scalable/mimetypes/application-x-quillet-circuit.svg
share/mime/packages/quillet-circuit.xml
share/quillet/examples/Club Circuit.QLC
share/quillet/examples/Flat Eight.QLC
share/quillet/examples/NINCO Oval.QLC
share/quillet/examples/NINCO and SCX.QLC
share/quillet/examples/SCX Chicanes.QLC
share/quillet/examples/Single Racing.QLC
EOF
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
LC_ALL=C sort -o "$work/expected" "$work/expected"
if ! diff -u "$work/expected" "$work/installed" >"$work/layout.diff"; then
  cat "$work/layout.diff" >&2
  fail "installed files differ from the expected layout"
fi

# The examples installed are the ones kept in the source tree, byte for byte.
for circuit in "$source"/examples/*.QLC; do
  installed="$prefix/share/quillet/examples/$(basename "$circuit")"
  cmp -s "$circuit" "$installed" || fail "example $(basename "$circuit") not installed as it is in examples/"
done

# ---------------------------------------------------------------------------
# The programs run from the prefix.
for program in quillet quillet-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

out=$("$prefix/bin/quillet-cli" --version 2>&1) || fail "quillet-cli --version exited $?"
[ "$out" = "quillet-cli $version" ] || fail "quillet-cli --version printed '$out', not 'quillet-cli $version'"

oval="$prefix/share/quillet/examples/NINCO Oval.QLC"
"$prefix/bin/quillet-cli" report "$oval" >"$work/report.json" 2>"$work/report.err" ||
  fail "the installed quillet-cli cannot report on an installed example: $(cat "$work/report.err")"
grep -q '"closed": true' "$work/report.json" || fail "the installed oval does not report closed"

# The editor, started as a double-click starts it: with a circuit file, on
# the offscreen platform. It shows its window and waits for the user, so it
# must still be running when `timeout` ends it; a missing library, plugin or
# resource stops it first. Its per-user files go to the temporary folder.
mkdir -p "$work/home"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$work/home" \
  XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/home" \
  timeout 3 "$prefix/bin/quillet" "$oval" >"$work/quillet.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  cat "$work/quillet.log" >&2
  fail "quillet ended by itself (status $status) instead of showing its window"
fi

# ---------------------------------------------------------------------------
# The desktop entry: valid, in both languages, and pointing at what was
# installed.
desktop="$prefix/share/applications/quillet.desktop"
validation=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects quillet.desktop"
[ -z "$validation" ] || fail "desktop-file-validate has remarks: $validation"

entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Name)" = "Quillet" ] || fail "Name is not Quillet"
for key in 'GenericName\[es\]' 'Comment\[es\]' GenericName Comment; do
  [ -n "$(entry "$key")" ] || fail "the desktop entry has no $key"
done
exec_line=$(entry Exec)
[ "$exec_line" = "quillet %f" ] || fail "Exec is '$exec_line', not 'quillet %f'"
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec names a program that is not installed"
[ "$(entry Terminal)" = "false" ] || fail "Terminal is not false"
icon=$(entry Icon)
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon '$icon' has no scalable icon"

# The type the entry opens is the type the MIME file defines.
mime_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/quillet-circuit.xml")
[ "$mime_type" = "application/x-quillet-circuit" ] || fail "the MIME file defines '$mime_type'"
[ "$(entry MimeType)" = "$mime_type;" ] || fail "MimeType is '$(entry MimeType)', not '$mime_type;'"
[ -f "$prefix/share/icons/hicolor/scalable/mimetypes/${mime_type/\//-}.svg" ] ||
  fail "no icon named after $mime_type"

# ---------------------------------------------------------------------------
# Each PNG icon has the size of the folder it is in.
for png in "$prefix"/share/icons/hicolor/*x*/apps/quillet.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  actual=$(identify -format '%wx%h' "$png") || fail "identify cannot read $png"
  [ "$actual" = "$size" ] || fail "$size/apps/quillet.png is $actual"
done

# ---------------------------------------------------------------------------
# The MIME database of the prefix alone, as a desktop reads it.
# It notes on standard error that the prefix is not where desktops look yet.
update-mime-database "$prefix/share/mime" 2>"$work/mime.log" || {
  cat "$work/mime.log" >&2
  fail "update-mime-database failed"
}
mime="$prefix/share/mime"
grep -qx "$mime_type text/plain" "$mime/subclasses" || fail "the circuit type is not a kind of text/plain"
grep -q 'xml:lang="es"' "$mime/$mime_type.xml" || fail "the circuit type has no Spanish comment"

# Every glob of globs2 that matches the name, with its case rule: the type of
# the best match is the type of the file.
type_by_globs() {
  local name=$1 best_weight=-1 best_type=""
  while IFS=: read -r weight type pattern flags; do
    [[ $weight == \#* ]] && continue
    local subject=$name
    if [[ $flags != *cs* ]]; then
      subject=${subject,,}
      pattern=${pattern,,}
    fi
    # shellcheck disable=SC2053 # the pattern is a glob on purpose
    if [[ $subject == $pattern ]] && ((weight > best_weight)); then
      best_weight=$weight
      best_type=$type
    fi
  done <"$mime/globs2"
  echo "$best_type"
}
for name in "Club Circuit.QLC" "oval.qlc" "Oval.Qlc"; do
  found=$(type_by_globs "$name")
  [ "$found" = "$mime_type" ] || fail "globs2 gives '$found' for $name"
done
[ -z "$(type_by_globs "circuit.qlcx")" ] || fail "globs2 claims circuit.qlcx"

# GLib's own lookup, with no other data folder than the prefix's.
mkdir -p "$work/files" "$work/nodata"
for name in "Club Circuit.QLC" "oval.qlc"; do
  cp "$oval" "$work/files/$name"
  found=$(env XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$work/nodata" \
    gio info -a standard::content-type "$work/files/$name" | sed -n 's/^ *standard::content-type: //p')
  [ "$found" = "$mime_type" ] || fail "gio gives '$found' for $name"
done

# And the program a double-click starts: Quillet, not a text editor, though
# the type is a kind of text. GLib offers only entries whose program is on the
# PATH.
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database failed"
mkdir -p "$work/noconfig"
default_app=$(env PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$work/nodata" \
  XDG_CONFIG_HOME="$work/noconfig" XDG_CONFIG_DIRS="$work/noconfig" gio mime "$mime_type") || fail "gio mime failed"
default_app=${default_app%%$'\n'*}
[[ $default_app == *": quillet.desktop" ]] || fail "gio mime says '$default_app'"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed into a temporary prefix: files, programs, desktop entry, icons, examples and MIME type as expected"
