# Sourced by the sanitized runs: configures $build with clang, ASan, UBSan and the
# fuzzers' coverage. Only what those runs need is built from it.
werror=OFF
if [[ "${CI:-}" == "true" ]]; then
  werror=ON
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DGLOSSMARK_SANITIZE=ON -DGLOSSMARK_FUZZ=ON -DGLOSSMARK_BENCHMARKS=OFF -DGLOSSMARK_WERROR=$werror >/dev/null
