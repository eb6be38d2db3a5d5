#!/usr/bin/env bash
# Writes signature_vectors.h: fixed keys, messages and signatures that the
# simulated and the Windows signature checks must judge alike. PKCS#1 v1.5
# signatures are deterministic, so running this again gives the same file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
keys=$here/../data/update
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'Kestrone definitions 1\nversion 7\ndate 2026-12-01\n' >"$work/message"
printf 'Kestrone definitions 1\nversion 8\ndate 2026-12-01\n' >"$work/altered"
for k in a b; do
    openssl dgst -sha256 -sign "$keys/test-key-$k-for-tests-only.pem" -out "$work/sig-$k" "$work/message"
    openssl rsa -in "$keys/test-key-$k-for-tests-only.pem" -noout -modulus | sed 's/^Modulus=//' >"$work/mod-$k"
done

python3 - "$work" >"$here/signature_vectors.h" <<'PY'
import sys, hashlib, os
work = sys.argv[1]
def read(name):
    with open(os.path.join(work, name), 'rb') as f: return f.read()
def blob(modhex):
    modulus = bytes.fromhex(modhex.strip())
    assert len(modulus) == 256
    header = bytes([6, 2, 0, 0]) + (0xA400).to_bytes(4, 'little') + b'RSA1' \
        + (2048).to_bytes(4, 'little') + (65537).to_bytes(4, 'little')
    return header + modulus[::-1]
def literal(name, data):
    rows = [''.join('\\x%02x' % b for b in data[i:i + 24]) for i in range(0, len(data), 24)]
    body = '\n'.join('    "%s"' % r for r in rows) if rows else '    ""'
    return 'inline const std::string %s(\n%s,\n    %d);\n' % (name, body, len(data))
big = bytes((i * 7 + 3) % 251 for i in range(1 << 20))
print('// Made by make_signature_vectors.sh from the test keys in tests/data/update;')
print('// test keys, for tests only: nothing that ships trusts them.')
print('#pragma once\n\n#include <string>\n\nnamespace kestrone::contract::vectors {\n')
print(literal('kKeyA', blob(read('mod-a').decode())))
print(literal('kKeyB', blob(read('mod-b').decode())))
print(literal('kMessage', read('message')))
print(literal('kAlteredMessage', read('altered')))
print(literal('kMessageSignedByA', read('sig-a')))
print(literal('kMessageSignedByB', read('sig-b')))
print(literal('kMessageSha256', hashlib.sha256(read('message')).digest()))
print(literal('kEmptySha256', hashlib.sha256(b'').digest()))
print('// The digest of BigMessage(): one mebibyte, byte i = (7i + 3) mod 251.')
print(literal('kBigMessageSha256', hashlib.sha256(big).digest()))
print('inline std::string BigMessage() {')
print('    std::string bytes(1u << 20, 0);')
print('    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + 3) % 251);')
print('    return bytes;\n}\n')
print('}  // namespace kestrone::contract::vectors')
PY
