#!/usr/bin/env bash
# Installs what is missing, builds, and starts glossmark-editor in build/run/,
# a working folder holding the English user-interface file "Edit.tra" and,
# beside it, the German original-language file "Deutsch.tra" and the French
# "Francais.tra", among which the language switch dialog chooses. It opens the language
# file given as argument, else a copy of the bundled samples/Sample.tra.
# Remove build/run/Edit.tra to see the program start untranslated.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
file=${1:+$(realpath "$1")}
cd "$here"
scripts/install-deps.sh
scripts/build.sh
mkdir -p build/run
cp -f build/Edit.tra build/Deutsch.tra build/Francais.tra build/run/
# The sample is edited as a copy, so saving never touches the bundled file.
if [ -z "$file" ]; then
  cp -n samples/Sample.tra build/run/
  file=$PWD/build/run/Sample.tra
fi
cd build/run
exec ../glossmark-editor "$file"
