#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: fuzz/run-fuzzers.sh [SECONDS_PER_TARGET] [BUILD_DIR]
# Exits non-zero when a target finds a crash, leak, hang or sanitizer report;
# the failing input is left in BUILD_DIR/artifacts/.
set -e
seconds=${1:-60}
build=${2:-build/fuzz}
here=$(cd "$(dirname "$0")" && pwd)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C "$build" -j2
mkdir -p "$build/artifacts"
for target in lzh skin_reader quick_ini skin_load shell_link; do
    # New inputs go to a scratch folder; the saved corpus only seeds the run.
    mkdir -p "$build/corpus/$target"
    echo "fuzzing $target for $seconds s"
    "$build/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 \
        -timeout=10 -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 \
        "$build/corpus/$target" "$here/corpus/$target"
done
