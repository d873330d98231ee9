#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and packs it as a Debian
# package, then checks what the desktop needs: the files in their places, a
# desktop entry that validates and starts the program in the folder holding
# "Edit.tra", a MIME type that the MIME database accepts for *.tra, and the
# same files in the package.
# Usage: check-install.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/glossmark-editor
  share/applications/glossmark-editor.desktop
  share/glossmark-editor/Edit.tra
  share/glossmark-editor/Deutsch.tra
  share/glossmark-editor/Francais.tra
  share/icons/hicolor/scalable/apps/glossmark-editor.svg
  share/mime/packages/glossmark-editor.xml
)
for file in "${expected[@]}"; do
  [[ -s $prefix/$file ]] || fail "$file not installed"
done
[[ -x $prefix/bin/glossmark-editor ]] || fail "the program is not executable"

desktop=$prefix/share/applications/glossmark-editor.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
grep -qx "Path=$prefix/share/glossmark-editor" "$desktop" || fail "Path= is not the folder holding Edit.tra"
grep -qx "Exec=$prefix/bin/glossmark-editor %f" "$desktop" || fail "Exec= does not start the installed program with the file"
grep -qx "MimeType=application/x-glossmark-tra;" "$desktop" || fail "the desktop entry does not claim the file type"

mime=$prefix/share/mime/packages/glossmark-editor.xml
xmllint --noout "$mime" || fail "the MIME description is not well-formed"
# The MIME database itself must take the type and its pattern.
update-mime-database "$prefix/share/mime" 2>/dev/null
grep -q '<comment>Glossmark Document</comment>' "$prefix/share/mime/application/x-glossmark-tra.xml" \
  || fail "the MIME database has no application/x-glossmark-tra"
grep -qx 'application/x-glossmark-tra:\*.tra' "$prefix/share/mime/globs" || fail "*.tra is not mapped to the type"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/glossmark-editor.svg" || fail "the icon is not well-formed SVG"

# The Debian package holds the same files under /usr.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/glossmark-editor_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in "${expected[@]}"; do
  grep -qx "./usr/$file" <<<"$listing" || fail "the package lacks /usr/$file"
done
dpkg-deb -f "$deb" Package | grep -qx glossmark-editor || fail "package name"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/glossmark-editor.desktop \
  | grep -qx "Path=/usr/share/glossmark-editor" || fail "the packaged desktop entry does not point at /usr/share"
echo "install and package: all checks passed"
