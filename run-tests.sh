#!/usr/bin/env bash
# Installs what is missing, builds natively, with sanitizers and for Windows, and runs
# every test: native unit and reference tests, the fuzz tests of the file readers, the
# same unit tests under Wine, and the end-to-end tests of the real program under Wine
# on a virtual display.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varno_need_packages "${VARNO_BUILD_PACKAGES[@]}" "${VARNO_TEST_PACKAGES[@]}"
varno_need_node

jobs=$(nproc)
echo "== native build and tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest --output-on-failure -j"$jobs")

echo "== native build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVARNO_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
(cd build/sanitize && ctest --output-on-failure -j"$jobs")

echo "== fuzzing the file readers (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNO_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$jobs"
(cd build/fuzz && ctest --output-on-failure -j2)

echo "== Windows build; unit tests and end-to-end tests under Wine"
varno_build_windows build/windows
wineboot -i >/dev/null 2>&1 || true
varno_wine_fonts
(cd build/windows && ctest --output-on-failure -j"$jobs")
