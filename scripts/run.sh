#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kestrone.exe under Wine (on a
# virtual display with a screenshot when the machine has no display). Until the
# program exists this runs the engine demonstration on a simulated USB drive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -f build/win32/bin/Kestrone.exe ] && [ -x scripts/run-kestrone.sh ]; then
    exec scripts/run-kestrone.sh "$@"
fi
exec build/native/bin/kestrone-demo
