#!/usr/bin/env bash
# Builds Kestrone's release: the i686 Release build in build/release
# (optimised, stripped, no test programs), then its release files, copied to
# dist/ at the top of the tree:
#   dist/Kestrone-<version>/               Kestrone.exe, kestrone-scan.exe, Update.exe, kernel.dll,
#                                          Process.dat, Kestrone.skin, Help.chm,
#                                          License.txt, ReadMe.txt, PolicyDefinitions\
#                                          (Kestrone.admx, en-US\Kestrone.adml)
#   dist/Kestrone-<version>-portable.zip   the same folder, zipped
#   dist/Kestrone-<version>-setup.exe      the installer (NSIS)
#   dist/Kestrone-<version>.msi            the MSI package (wixl)
# The version is the one in src/app/version.h. Checks what it made and prints
# the sizes; exits non-zero when something is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KESTRONE_JOBS:-$(nproc)}

# The host tools (definitions packer, skin tools) come from the native build.
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build/native -j "$jobs" kestrone-defpack skin-art skin-pack
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
    -DKESTRONE_BUILD_TESTS=OFF \
    -DKESTRONE_HOST_TOOLS_DIR="$PWD/build/native/tools" >/dev/null
ninja -C build/release -j "$jobs" kestrone_installer kestrone_msi

rm -rf dist
mkdir -p dist
cp -r build/release/dist/. dist/
name=$(cd dist && ls -d Kestrone-*/ | head -1)
name=${name%/}

programs="Help.chm Kestrone.exe Kestrone.skin License.txt Process.dat ReadMe.txt Update.exe kernel.dll kestrone-scan.exe"
expected="$programs PolicyDefinitions/Kestrone.admx PolicyDefinitions/en-US/Kestrone.adml"
present=$(cd "dist/$name" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ' | sed 's/ $//')
[ "$present" = "$(tr ' ' '\n' <<<"$expected" | sort | tr '\n' ' ' | sed 's/ $//')" ] ||
    { echo "release.sh: dist/$name holds '$present', expected '$expected'" >&2; exit 1; }
zipped=$(cmake -E tar tf "dist/$name-portable.zip" | grep -v '/$' | sed "s|^$name/||" | sort | tr '\n' ' ' | sed 's/ $//')
[ "$zipped" = "$present" ] ||
    { echo "release.sh: the zip holds '$zipped'" >&2; exit 1; }
# The machine field of a program's PE header: 014c for a 32-bit x86 program.
pe_machine() {
    local offset
    offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    [ "$(od -An -c -j "$offset" -N 2 "$1" | tr -d ' ')" = PE ] || return 0
    od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}
for exe in "dist/$name/Kestrone.exe" "dist/$name/kestrone-scan.exe" "dist/$name/Update.exe" "dist/$name-setup.exe"; do
    [ "$(pe_machine "$exe")" = 014c ] || { echo "release.sh: $exe is no 32-bit program" >&2; exit 1; }
done
for exe in "dist/$name/Kestrone.exe" "dist/$name/kestrone-scan.exe" "dist/$name/Update.exe"; do
    symbols=$(i686-w64-mingw32-objdump -t "$exe" | grep -c '^\[' || true)
    [ "$symbols" -eq 0 ] || { echo "release.sh: $exe carries $symbols symbols" >&2; exit 1; }
done
head -c 4 "dist/$name/Help.chm" | grep -q ITSF || { echo "release.sh: Help.chm is no help file" >&2; exit 1; }
xmllint --noout "dist/$name/PolicyDefinitions/Kestrone.admx" \
    "dist/$name/PolicyDefinitions/en-US/Kestrone.adml" ||
    { echo "release.sh: the policy templates are no well-formed XML" >&2; exit 1; }

# The MSI package: the same program files, the version, the upgrade code that
# lets a newer package replace an older one, the event source, and the
# components that only their properties install.
msi="dist/$name.msi"
[ -f "$msi" ] || { echo "release.sh: $msi is missing" >&2; exit 1; }
msi_files=$(msiinfo export "$msi" File | tr -d '\r' | tail -n +4 | cut -f3 | sort | tr '\n' ' ' | sed 's/ $//')
[ "$msi_files" = "$(tr ' ' '\n' <<<"$programs" | sort | tr '\n' ' ' | sed 's/ $//')" ] ||
    { echo "release.sh: $msi holds '$msi_files', expected '$programs'" >&2; exit 1; }
msi_property() { msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v p="$1" '$1 == p {print $2}'; }
version=${name#Kestrone-}
IFS=. read -r major minor patch build <<<"$version"
[ "$(msi_property ProductVersion)" = "$major.$minor.$((patch * 1000 + build))" ] ||
    { echo "release.sh: $msi has version '$(msi_property ProductVersion)'" >&2; exit 1; }
[ "$(msi_property UpgradeCode)" = "{4F0C7A52-8B7E-4E59-9C1D-6A2B3E8F5D10}" ] ||
    { echo "release.sh: $msi has the upgrade code '$(msi_property UpgradeCode)'" >&2; exit 1; }
# Tables are read whole before grep looks at them: grep -q stops reading at its
# first match, and msiinfo, cut off, would fail the pipe.
registry=$(msiinfo export "$msi" Registry)
grep -q $'EventMessageFile\t\[INSTALLDIR\]Kestrone.exe' <<<"$registry" ||
    { echo "release.sh: $msi registers no event source" >&2; exit 1; }
components=$(msiinfo export "$msi" Component)
for condition in $'Autostart\t.*AUTOSTART="1"' $'UpdateMirrors\t.*UPDATEMIRRORS'; do
    grep -q "$condition" <<<"$components" ||
        { echo "release.sh: $msi lacks the condition '$condition'" >&2; exit 1; }
done

echo "Release files in $PWD/dist:"
ls -l "dist/$name-setup.exe" "$msi" "dist/$name-portable.zip" "dist/$name/Kestrone.exe" \
    "dist/$name/kestrone-scan.exe" "dist/$name/Help.chm" | awk '{print "  " $5 " bytes  " $9}'
