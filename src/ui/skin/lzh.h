// The LZHUF decoder that unpacks skins: LZSS over a 4096-byte dictionary with
// an adaptive Huffman code. A packed skin is a 4-byte little-endian unpacked
// size followed by the bit stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace kestrone {

// Raised when the decoder cannot get or release its tables.
class ElzhException : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// No skin of ours comes near this; a larger declared size is refused unread.
inline constexpr size_t kMaxUnpackedSkin = 64u * 1024 * 1024;

class TLZH {
public:
    // Decodes exactly `unpackedSize` bytes from the bit stream and appends them
    // to `output`. Reading past the end of the input yields zero bytes.
    static void Decode(std::string_view input, uint32_t unpackedSize, std::string& output);

    // The most bytes a bit stream of `packedBytes` bytes can honestly stand for:
    // a symbol costs at least one bit, a match of at most 60 bytes at least ten.
    static uint64_t MaxUnpackedSize(size_t packedBytes);
};

// Unpacks a packed skin (size + bit stream) into `unpacked`. False, with
// `unpacked` empty, when the data is shorter than its size field, or when the
// declared size is above `limit` or more than the stream can encode.
bool UnpackSkin(std::string_view packed, std::string& unpacked,
                size_t limit = kMaxUnpackedSkin);

}  // namespace kestrone
