#!/usr/bin/env bash
# Installs what is missing, builds every build and runs every test: the native
# suites (engine against the simulated machine), the Wine suites of the 32-bit
# build (the shipped program: natively or inside qemu-i386, see
# cmake/wine-env.sh) and of the 64-bit build, the end-to-end scenarios under
# Wine + Xvfb, and the fuzz targets' bounded runs; and builds the release with
# its installer and help file. Ends with one line
# "N passed, N failed" and the time taken.
set -uo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
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
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

ctest_in() {  # build folder: runs its tests, output to $logs/<name>.log
    local name
    name=$(basename "$1")
    (cd "$1" && ctest --output-on-failure -j "${KESTRONE_TEST_JOBS:-2}" --timeout 600) \
        >"$logs/$name.log" 2>&1
}
count() {  # build folder: prints its log and adds its counts
    local name line total bad
    name=$(basename "$1")
    echo "=== $1"
    cat "$logs/$name.log"
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name.log" | tail -1)
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    if [ -z "$line" ]; then
        if grep -q "No tests were found" "$logs/$name.log"; then
            total=0 bad=0  # a build whose tests this machine cannot run (see build.sh)
        else
            total=1 bad=1
            echo "$name: ctest gave no summary"
        fi
    fi
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    # ctest's own list of what failed, kept for the last lines of the run
    sed -n '/The following tests FAILED:/,/^Errors while running/p' "$logs/$name.log" |
        grep -E '^[[:space:]]+[0-9]+ - ' | sed "s|^[[:space:]]*|  $name: |" >>"$logs/failed.txt"
}
# Ends the Wine servers (and anything left in their prefixes) of this tree,
# each as the prefix's owner (the scenarios of an ordinary account have theirs).
end_wine() {
    local prefix owner as_owner
    for prefix in build/win32/*wineprefix* build/win64/*wineprefix*; do
        [ -d "$prefix" ] || continue
        owner=$(stat -c %U "$prefix")
        as_owner=()
        if [ "$owner" != "$(id -un)" ]; then
            as_owner=(sudo -n -u "$owner")
            [ "$(id -u)" != 0 ] || as_owner=(runuser -u "$owner" --)
        fi
        (source cmake/wine-env.sh && wine_select win64 >/dev/null 2>&1 &&
            "${as_owner[@]}" env WINEPREFIX="$PWD/$prefix" "$WINESERVER" -k) 2>/dev/null || true
    done
}

ctest_in build/native
count build/native
# The two Windows builds use prefixes of their own, so their suites run side
# by side; each build runs its suites that share no prefix in parallel too.
ctest_in build/win32 &
win32_run=$!
ctest_in build/win64
wait "$win32_run"
end_wine
count build/win32
count build/win64

# The fuzz targets (clang, libFuzzer) run for a bounded time each.
if sh fuzz/run-fuzzers.sh "${KESTRONE_FUZZ_SECONDS:-30}" build/fuzz; then
    passed=$((passed + 1))
else
    echo "fuzzing found a failure: see build/fuzz/artifacts"
    failed=$((failed + 1))
fi

echo
for shots in build/win32/screenshots/e2e build/win64/screenshots/e2e; do
    [ -d "$shots" ] && echo "Screenshots of the end-to-end scenarios: $PWD/$shots" && break
done
echo "Time taken: $(( $(date +%s) - started )) s"
[ -s "$logs/failed.txt" ] && { echo "failed:"; cat "$logs/failed.txt"; }
echo "tests: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
