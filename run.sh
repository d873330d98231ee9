#!/usr/bin/env bash
# Installs what is missing, builds, and starts on the bundled sample language file.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
exec build/tools/glossmark-tra stats samples/Sample.tra
