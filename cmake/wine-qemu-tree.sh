#!/usr/bin/env bash
# Makes a 32-bit Wine that runs inside qemu user-mode emulation, for machines
# whose kernel or CPU runs no 32-bit code. Usage: wine-qemu-tree.sh TREE
#
# Wine finds its parts relative to the loader it was started as, and starts
# every new process through the `wine` beside that loader. TREE mirrors the
# system's Wine layout with links, except for:
#   lib/wine/wine        a script that runs the i386 loader under qemu-i386
#   lib/wine/wine-i386   a copy of the i386 loader (its folder is Wine's bin_dir)
#   lib/wine/wineserver  the native 64-bit server
#   lib/<triplet>/libkestrone-trapno.so
#                        the signal-frame fix (trapno_fix.c) preloaded into the
#                        i386 loader, with an empty twin for native programs
# Nothing outside TREE is changed. Safe to call concurrently.
set -e
tree=$1
source_dir=$(cd "$(dirname "$0")" && pwd)
stamp=$tree/.kestrone-tree-2
[ -f "$stamp" ] && exit 0
mkdir -p "$tree"
tree=$(cd "$tree" && pwd)
exec 9>"$tree.lock"
flock 9
[ -f "$stamp" ] && exit 0

qemu=$(command -v qemu-i386 || true)
if [ -z "$qemu" ]; then
    echo "wine-qemu-tree.sh: qemu-i386 is missing (package qemu-user)" >&2
    exit 1
fi
system_loader=/usr/lib/wine/wine
system_server=/usr/lib/wine/wineserver64
[ -x "$system_server" ] || system_server=/usr/lib/wine/wineserver
for part in "$system_loader" /usr/lib/i386-linux-gnu/wine; do
    if [ ! -e "$part" ]; then
        echo "wine-qemu-tree.sh: $part is missing (package wine32:i386)" >&2
        exit 1
    fi
done

rm -rf "$tree/lib" "$tree/share"
mkdir -p "$tree/lib/wine" "$tree/lib/i386-linux-gnu" "$tree/lib/x86_64-linux-gnu" "$tree/share"
ln -s /usr/lib/i386-linux-gnu/wine "$tree/lib/i386-linux-gnu/wine"
[ -d /usr/lib/x86_64-linux-gnu/wine ] && ln -s /usr/lib/x86_64-linux-gnu/wine "$tree/lib/x86_64-linux-gnu/wine"
ln -s /usr/share/wine "$tree/share/wine"
cp "$system_loader" "$tree/lib/wine/wine-i386"
ln -s "$system_server" "$tree/lib/wine/wineserver"

# The fix for the i386 loader, and a library with nothing in it for the native
# programs that inherit LD_PRELOAD (the shell running the script, wineserver).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gcc -m32 -ffreestanding -nostdinc -fPIC -O2 -fno-stack-protector -Wall -Wextra -Werror \
    -c "$source_dir/qemu/trapno_fix.c" -o "$work/trapno_fix.o"
ld -m elf_i386 -shared -o "$tree/lib/i386-linux-gnu/libkestrone-trapno.so" \
    "$work/trapno_fix.o" /lib/i386-linux-gnu/libc.so.6
: >"$work/empty.c"
gcc -shared -fPIC -o "$tree/lib/x86_64-linux-gnu/libkestrone-trapno.so" "$work/empty.c"

preload="$tree/\$LIB/libkestrone-trapno.so"
cat >"$tree/lib/wine/wine" <<SCRIPT
#!/bin/sh
# The i386 Wine loader under qemu-i386 (made by wine-qemu-tree.sh).
# ld.so puts lib/i386-linux-gnu or lib/x86_64-linux-gnu in place of \$LIB.
preload='$preload'
case " \${LD_PRELOAD-} " in
*" \$preload "*) ;;
*) LD_PRELOAD="\$preload\${LD_PRELOAD:+ \$LD_PRELOAD}" ;;
esac
export LD_PRELOAD
exec "$qemu" -0 "$tree/lib/wine/wine" "$tree/lib/wine/wine-i386" "\$@"
SCRIPT
chmod +x "$tree/lib/wine/wine"
touch "$stamp"
