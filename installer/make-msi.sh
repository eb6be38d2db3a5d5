#!/usr/bin/env bash
# Makes Kestrone's MSI package from a release folder:
#   make-msi.sh <kestrone.wxs> <dist dir> <release folder name> <MSI version> <output.msi>
# wixl builds the package from kestrone.wxs; what its subset of WiX cannot
# say is then written into the package's tables with msibuild:
#  - the components installed only when their property asks for them
#    (AUTOSTART=1, UPDATEMIRRORS set);
#  - the event source's key removed as a whole on uninstall;
#  - the properties that pass from the user's side into the installation.
set -euo pipefail
wxs=$1 dist=$2 name=$3 version=$4 out=$5
wixl=${WIXL:-wixl}
msibuild=${MSIBUILD:-msibuild}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# wixl takes sources relative to the folder it runs in.
(cd "$dist" && "$wixl" -D Version="$version" -D Payload="$name" -o "$work/kestrone.msi" "$wxs")
"$msibuild" "$work/kestrone.msi" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART=\"1\"' WHERE \`Component\` = 'Autostart'" \
    -q "UPDATE \`Component\` SET \`Condition\` = 'UPDATEMIRRORS' WHERE \`Component\` = 'UpdateMirrors'" \
    -q "INSERT INTO \`Registry\` (\`Registry\`, \`Root\`, \`Key\`, \`Name\`, \`Component_\`) VALUES ('EventSourceKey', 2, 'SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Kestrone', '-', 'EventSource')" \
    -q "UPDATE \`Property\` SET \`Value\` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;AUTOSTART;UPDATEMIRRORS' WHERE \`Property\` = 'SecureCustomProperties'"
mv "$work/kestrone.msi" "$out"
