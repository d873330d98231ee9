#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and packs it as a Debian
# package, then checks what a user meets: the files in their places, a desktop
# entry and MIME type the desktop takes, the installed editor speaking the
# user's language wherever it starts (and remembering a switch), Qt's file
# chooser in that language, the manual pages, bash completion, and a package
# holding all of it that lintian finds no error in.
# Usage: check-install.sh <build folder> <folder of the probe plugin>
set -euo pipefail
build=$(realpath "$1")
probe_plugins=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A user of our own: settings, documents and sockets in the temporary folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run TMPDIR=$work/run
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR" "$work/elsewhere" && chmod 700 "$XDG_RUNTIME_DIR"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/glossmark-editor
  bin/glossmark-tra
  share/applications/glossmark-editor.desktop
  share/glossmark-editor/Edit.tra
  share/glossmark-editor/Deutsch.tra
  share/glossmark-editor/Francais.tra
  share/icons/hicolor/scalable/apps/glossmark-editor.svg
  share/mime/packages/glossmark-editor.xml
  share/man/man1/glossmark-editor.1.gz
  share/man/man1/glossmark-tra.1.gz
  share/bash-completion/completions/glossmark-tra
  share/doc/glossmark-editor/guide.en.html
  share/doc/glossmark-editor/copyright
)
for file in "${expected[@]}"; do
  [[ -s $prefix/$file ]] || fail "$file not installed"
done

desktop=$prefix/share/applications/glossmark-editor.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
grep -q "^Path=" "$desktop" && fail "the desktop entry sets a working folder the user may not write to"
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

# The installed editor, started from a folder that has nothing of it, in the
# locale given, with the probe plugin printing what it shows.
sample=$work/elsewhere/Sample.tra
cp "$(dirname "$0")/../../samples/Sample.tra" "$sample"
launch=() platform=offscreen
editor() { # LANG switch-to folder -- arguments
  local lang=$1 switch=$2 folder=$3
  shift 4
  (cd "$folder" && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" GLOSSMARK_PROBE_SWITCH="$switch" \
     QT_QPA_PLATFORM=$platform QT_PLUGIN_PATH="$probe_plugins" \
     QT_QPA_GENERIC_PLUGINS=glossmarkprobe "${launch[@]}" timeout 60 "$prefix/bin/glossmark-editor" "$@" 2>/dev/null)
}
expect_menu() { # LANG expected-output [switch-to]
  local shown
  shown=$(editor "$1" "${3:-}" "$work/elsewhere" -- "$sample" | grep '^menu: ' | tr '\n' ' ')
  [[ $shown == "$2 " ]] || fail "LANG=$1${3:+, switching to $3}: the menu bar shows '$shown', not '$2'"
}
expect_menu fr_FR.UTF-8 "menu: Fichier"
expect_menu de_DE.UTF-8 "menu: Datei"
expect_menu en_US.UTF-8 "menu: File"
expect_menu fr_FR.UTF-8 "menu: Fichier menu: Datei" Deutsch
expect_menu fr_FR.UTF-8 "menu: Datei"
expect_menu en_US.UTF-8 "menu: Datei menu: File" English
expect_menu de_DE.UTF-8 "menu: File"

# Opened from a file manager (xdg-open on a GNOME-like desktop: gio, the MIME
# database and the desktop entries of the data folders), a .tra starts the
# installed editor, in the user's language.
# (The package's install runs update-desktop-database through a trigger.)
update-desktop-database "$prefix/share/applications"
rm "$XDG_CONFIG_HOME/Kestrow Tools/Edit.conf"
(cd / && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=fr_FR.UTF-8 XDG_CURRENT_DESKTOP=GNOME \
   XDG_DATA_DIRS="$prefix/share:/usr/share" QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$probe_plugins" \
   QT_QPA_GENERIC_PLUGINS=glossmarkprobe xdg-open "$sample" >"$work/opened" 2>/dev/null)
for _ in $(seq 300); do grep -q '^menu: ' "$work/opened" && break; sleep 0.1; done
grep -qx 'menu: Fichier' "$work/opened" || fail "xdg-open: the editor shows '$(cat "$work/opened")', not 'menu: Fichier'"

# Without a file the editor asks for one at once: Qt's own file chooser, in
# the user-interface language, in the working folder, or in the documents
# when started in the home folder as the desktop does.
expect_chooser() { # LANG folder expected
  local shown
  shown=$(editor "$1" "" "$2" -- | grep '^file-dialog: ')
  [[ $shown == "file-dialog: $3" ]] || fail "LANG=$1: the file chooser shows '$shown', not '$3'"
}
# (On a virtual X server.)
launch=(xvfb-run -a -s "-screen 0 1024x768x24") platform=xcb
expect_chooser de_DE.UTF-8 "$HOME" "Öffnen|Abbrechen|$HOME/Documents"
expect_chooser fr_FR.UTF-8 "$work/elsewhere" "Ouvrir|Annuler|$work/elsewhere"

# The manual pages render without a warning; glossmark-tra's lists its commands.
for page in glossmark-editor glossmark-tra; do
  rendered=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>"$work/man.err")
  [[ ! -s $work/man.err ]] || fail "man $page warns: $(cat "$work/man.err")"
  grep -q "^NAME" <<<"$rendered" || fail "man $page renders no NAME section"
done
grep -q "export-xliff" <<<"$rendered" || fail "the glossmark-tra page lacks the commands"

# bash completes glossmark-tra's commands, loading the completion as an
# installed package's: from <data dir>/bash-completion/completions.
completed=$(XDG_DATA_DIRS=$prefix/share:/usr/share PATH=$prefix/bin:$PATH bash -c '
  source /usr/share/bash-completion/bash_completion
  __load_completion glossmark-tra || exit 1
  COMP_WORDS=(glossmark-tra ex) COMP_CWORD=1
  $(complete -p glossmark-tra | sed -n "s/.*-F \([^ ]*\) .*/\1/p") glossmark-tra ex glossmark-tra
  echo "${COMPREPLY[*]}"')
[[ $completed == "export-po export-xliff" ]] || fail "glossmark-tra ex<TAB> completes '$completed'"

# The Debian package holds the same files under /usr, stripped, with its
# dependencies computed, and lintian finds no error in it.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/glossmark-editor_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in "${expected[@]}"; do
  grep -qx "./usr/$file" <<<"$listing" || fail "the package lacks /usr/$file"
done
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "the package's Depends lack the Qt libraries"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/glossmark-tra >"$work/tra"
file "$work/tra" | grep -q ", stripped" || fail "glossmark-tra is not stripped in the package"
lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian.out" 2>&1 \
  || fail "lintian: $(grep '^E:' "$work/lintian.out" || cat "$work/lintian.out")"
echo "install and package: all checks passed"
