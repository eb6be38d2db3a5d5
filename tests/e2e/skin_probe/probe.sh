# The skin probe for scenarios (sourced after lib.sh): probe COMMAND [ARGS...]
# runs kestrone-e2e-skin-probe.exe beside the driver.
PROBE="$(dirname "$E2E_DRIVER")/kestrone-e2e-skin-probe.exe"
probe() { "$E2E_WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
