#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test: the native
# suites (engine against the simulated machine), the Wine suites (the Win32
# platform and windows under Xvfb), the end-to-end scenarios and the fuzz
# targets' bounded runs; and builds the release with its installer and help
# file. Ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
# The release: the stripped 32-bit build, Help.chm, the portable zip and the installer.
if scripts/release.sh; then
    passed=$((passed + 1))
else
    echo "the release could not be built: see the output of scripts/release.sh above"
    failed=$((failed + 1))
fi
run_ctest() {  # build folder, label
    local log
    log=$(mktemp)
    (cd "$1" && ctest --output-on-failure -j "${KESTRONE_TEST_JOBS:-2}" --timeout 600) 2>&1 | tee "$log"
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    if [ -z "$line" ]; then total=1; bad=1; echo "$2: ctest gave no summary"; fi
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    rm -f "$log"
}

run_ctest build/native "native"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    run_ctest build/win32 "win32"
else
    echo "32-bit Wine cannot start here (no IA-32 support in this kernel):"
    echo "the Win32 tests run from the 64-bit Windows build instead."
fi
run_ctest build/win64 "win64"
# The fuzz targets (clang, libFuzzer) run for a bounded time each.
if sh fuzz/run-fuzzers.sh "${KESTRONE_FUZZ_SECONDS:-30}" build/fuzz; then
    passed=$((passed + 1))
else
    echo "fuzzing found a failure: see build/fuzz/artifacts"
    failed=$((failed + 1))
fi

echo
echo "Screenshots of the end-to-end scenarios: $PWD/build/win64/screenshots/e2e"
echo "tests: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
