#!/usr/bin/env bash
# Installs the Debian packages the build and tests need; does nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  # The status bar's lock panes read the keys' state from X11's keyboard extension.
  libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libfmt-dev
  # The translation memory's database.
  libsqlite3-dev
  fonts-dejavu-core xvfb xauth
  poppler-utils
  # The bridges' tests talk to the real tools on the other side.
  gettext translate-toolkit qt6-l10n-tools
  # The install test: desktop-file-validate, xmllint, update-mime-database.
  desktop-file-utils libxml2-utils shared-mime-info
  # Qt's own dialogs in the user-interface language (qtbase_de.qm, qtbase_fr.qm).
  qt6-translations-l10n
  # The package: glossmark-tra's manual page from its --help, Depends from
  # dpkg-shlibdeps; the install test reads the pages, completes in bash,
  # checks the stripping and runs lintian on the package.
  help2man dpkg-dev man-db bash-completion file lintian
  # Spelling: Hunspell and the German, French and US English dictionaries that
  # the spelling tests check real misspellings with.
  libhunspell-dev hunspell-de-de hunspell-fr hunspell-en-us
  # benchmarks/cli_timing.sh: /usr/bin/time for the peak memory (msgmerge is in gettext)
  time
  # from-rc's tests compare their scripts with GNU windres's reading of them.
  binutils-mingw-w64-x86-64
  # The tree's test over the accessibility bus: xdotool drives the keys and the mouse.
  at-spi2-core python3-pyatspi dbus xdotool
)
# The sanitized build and the fuzz targets (scripts/sanitized-tests.sh, scripts/fuzz.sh).
if [[ "${GLOSSMARK_FUZZ:-}" == "ON" ]]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
