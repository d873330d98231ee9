#!/usr/bin/env bash
# Configures (once) and builds the tree in ./build; CI=true turns warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [[ "${CI:-}" == "true" ]]; then
  werror=ON
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOSSMARK_WERROR=$werror
cmake --build build -j "$(nproc)"
