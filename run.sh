#!/usr/bin/env bash
# Installs what is missing, builds, and starts glossmark-editor in build/run/,
# a working folder holding the English user-interface file "Edit.tra" and the
# German original-language file "Deutsch.tra" beside it.
# Remove build/run/Edit.tra to see the program start untranslated.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
mkdir -p build/run
cp -f build/Edit.tra build/Deutsch.tra build/run/
cd build/run
exec ../glossmark-editor "$@"
