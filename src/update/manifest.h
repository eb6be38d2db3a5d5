// The definitions package and its manifest.
//
// A package is a folder (or the same files at a mirror URL) holding:
//   kernel.dll      the encrypted definitions, in the format they always had
//   manifest.txt    what the package is, below
//   manifest.sig    RSA-2048 PKCS#1 v1.5 SHA-256 signature of manifest.txt's
//                   exact bytes, 256 bytes, most significant byte first
//   newkey          optional: the publisher's next public key, a CryptoAPI
//                   PUBLICKEYBLOB (see platform/signature.h), which Kestrone
//                   keeps and trusts from then on (key rollover)
//   newkey.sig      its signature by the key Kestrone trusts today
//
// manifest.txt is ASCII, one item a line (LF or CRLF), in this order:
//   Kestrone definitions 1                 the format line
//   version 42                             grows with every package, never repeats
//   date 2026-12-01                        when it was made
//   expires 2027-03-01                     not installed after this day
//   min-program 2.3.0.0                    the oldest Kestrone that can read it
//   file kernel.dll 123456 <sha-256 hex>   one line per file: name, size, digest
// Anything else (unknown lines, repeats, bad numbers or dates, names with
// folders in them) makes the manifest malformed: a signed text we do not fully
// understand is not one we act on.
//
// This file uses the standard library only: the package tool shares it, so the
// writer and the reader cannot disagree.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrone::update {

inline constexpr char kManifestFormatLine[] = "Kestrone definitions 1";
inline constexpr char kManifestName[] = "manifest.txt";
inline constexpr char kManifestSignatureName[] = "manifest.sig";
inline constexpr char kNewKeyName[] = "newkey";
inline constexpr char kNewKeySignatureName[] = "newkey.sig";
inline constexpr char kDefinitionsName[] = "kernel.dll";

// Bounds that keep a hostile mirror from making us read without end.
inline constexpr size_t kManifestSizeLimit = 64 * 1024;
inline constexpr uint64_t kPackageFileSizeLimit = 64ull * 1024 * 1024;
inline constexpr size_t kManifestFileLimit = 16;

struct ManifestFile {
    std::string name;
    uint64_t size = 0;
    std::string sha256Hex;  // 64 lower-case hex digits
};

struct Manifest {
    int64_t version = 0;
    std::string date;        // YYYY-MM-DD
    std::string expires;     // YYYY-MM-DD
    std::string minProgram;  // "2.3.0.0"
    std::vector<ManifestFile> files;

    const ManifestFile* Find(std::string_view name) const;
};

// False with a short reason (for the user message) when the text is malformed.
bool ParseManifest(std::string_view text, Manifest& manifest, std::string& problem);
// The text ParseManifest reads back to the same manifest (LF line ends).
std::string FormatManifest(const Manifest& manifest);

// A real calendar day written YYYY-MM-DD (such texts compare as dates).
bool IsCalendarDate(std::string_view text);
// One to four dot-separated decimal numbers; missing parts count as 0.
bool ParseProgramVersion(std::string_view text, std::array<uint32_t, 4>& parts);
// <0, 0, >0 like strcmp; both texts must parse.
int CompareProgramVersions(const std::array<uint32_t, 4>& a, const std::array<uint32_t, 4>& b);
// A name that lands inside the definitions folder and nowhere else: letters,
// digits, '.', '_', '-'; no leading dot, no device name, not one of the
// package's own or the installer's working names.
bool IsPackageFileName(std::string_view name);

std::string HexText(const std::string& bytes);

}  // namespace kestrone::update
