// Start-up decryption of the encrypted data files (kernel.dll) into the data
// directory, where the definitions store reads the plain copy.
//
// File format: an 8-byte little-endian signed plaintext length, then the
// plaintext encrypted with AES in ECB mode, the last block filled up to 16 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "core/aes.h"
#include "core/text.h"
#include "platform/files.h"

// <windows.h> maps DecryptFile to DecryptFileA, its file-system encryption call;
// code that includes it first still reaches ours under its own name.
#ifdef DecryptFile
#undef DecryptFile
#endif

namespace kestrone {

// The password of the shipped data files and the key size selectors.
inline constexpr char kDataFilePassword[] = "wren";
inline constexpr int kKeySize128 = 0;
inline constexpr int kKeySize192 = 1;
inline constexpr int kKeySize256 = 2;

// Decrypts every encrypted data file from the executable's folder into the data
// directory; kernel.dll comes from an installed update when one verifies and
// decrypts (update/definitions_in_use.h). A missing file is reported to the user (through the shell) and
// asks the application to quit; the remaining names are still processed.
// Errors of DecryptFile are not caught.
void DecryptDataFiles();
// The same for a given list of file names (the shipped list is kEncryptedDataFiles).
void DecryptDataFiles(const TextList& names);

// Decrypts one file. Raises EFileError when the source cannot be opened or the
// destination cannot be created, EStreamError/EAESError on a broken source (the
// destination then exists and is empty). Selectors other than 0, 1, 2 create an
// empty destination and decrypt nothing.
void DecryptFile(const std::string& source, const std::string& destination,
                 const std::string& password, int keySizeSelector);

// Decrypts `count` bytes of `source` from its position, block by block, into
// `destination`. A count larger than what is left is cut to it; a count of 0
// means the whole source from its start. Raises EAESError "Invalid buffer size
// for decryption" when the count is not a whole number of blocks.
void DecryptStreamECB(platform::FileStream& source, int64_t count,
                      const AesDecryptionSchedule& schedule, platform::FileStream& destination);

// The key for a selector: 16, 24 or 32 bytes, zero-filled, holding the first
// bytes of the password. False for an unknown selector.
bool MakeDecryptionKey(const std::string& password, int keySizeSelector, std::string& key);

// How long the plain copy becomes for a declared length, given the bytes that
// were actually decrypted (see decryption.cpp for why a lying length is bounded).
int64_t PlainCopyLength(int64_t declaredLength, int64_t decryptedBytes);

}  // namespace kestrone
