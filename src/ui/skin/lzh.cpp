#include "ui/skin/lzh.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "ui/skin/lzh_huffman.h"

namespace kestrone {
namespace {

// Bits most-significant first; the buffer is topped up a byte at a time while
// it holds 8 bits or fewer, with zero bytes once the input is used up.
class BitReader {
public:
    explicit BitReader(std::string_view input) : input_(input) {}

    int Bit() {
        Fill();
        const int bit = (buffer_ >> 15) & 1;
        buffer_ = (buffer_ << 1) & 0xFFFF;
        --length_;
        return bit;
    }
    int Byte() {
        Fill();
        const int byte = (buffer_ >> 8) & 0xFF;
        buffer_ = (buffer_ << 8) & 0xFFFF;
        length_ -= 8;
        return byte;
    }

private:
    void Fill() {
        while (length_ <= 8) {
            const uint32_t next =
                position_ < input_.size() ? static_cast<uint8_t>(input_[position_++]) : 0;
            buffer_ |= next << (8 - length_);
            length_ += 8;
        }
    }

    std::string_view input_;
    size_t position_ = 0;
    uint32_t buffer_ = 0;
    int length_ = 0;
};

struct DecoderState {
    lzh::AdaptiveHuffman tree;
    // The ring buffer plus the look-ahead tail the packer keeps (N + F - 1).
    std::vector<uint8_t> ring = std::vector<uint8_t>(lzh::kRingSize + lzh::kMaxMatch - 1, 0);
};

int DecodeSymbol(lzh::AdaptiveHuffman& tree, BitReader& bits) {
    // `node` holds the left child of the node reached; the bit picks it or its
    // sibling, whose own child value is followed until a leaf value appears.
    int node = tree.Son(lzh::kRoot);
    while (node < lzh::kTreeSize) node = tree.Son(node + bits.Bit());
    const int symbol = node - lzh::kTreeSize;
    tree.Update(symbol);
    return symbol;
}

int DecodePosition(BitReader& bits) {
    const lzh::PositionTables& tables = lzh::Positions();
    int i = bits.Byte();
    const int upper = tables.decodeCode[i] << 6;
    for (int extra = tables.decodeLength[i] - 2; extra > 0; --extra) i = (i << 1) + bits.Bit();
    return upper | (i & 0x3F);
}

}  // namespace

uint64_t TLZH::MaxUnpackedSize(size_t packedBytes) {
    // 60 bytes per 10 bits is 48 bytes per byte; the slack covers the final
    // partial byte and the decoder's look-ahead.
    return (static_cast<uint64_t>(packedBytes) + 4) * 48;
}

void TLZH::Decode(std::string_view input, uint32_t unpackedSize, std::string& output) {
    std::unique_ptr<DecoderState> state;
    try {
        state = std::make_unique<DecoderState>();
        output.reserve(output.size() + unpackedSize);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    std::vector<uint8_t>& ring = state->ring;
    std::fill(ring.begin(), ring.begin() + lzh::kStartPosition, ' ');
    int r = lzh::kStartPosition;
    BitReader bits(input);
    uint32_t count = 0;
    while (count < unpackedSize) {
        const int c = DecodeSymbol(state->tree, bits);
        if (c < 256) {
            output.push_back(static_cast<char>(c));
            ring[r] = static_cast<uint8_t>(c);
            r = (r + 1) & (lzh::kRingSize - 1);
            ++count;
            continue;
        }
        const int start = (r - DecodePosition(bits) - 1) & (lzh::kRingSize - 1);
        const int length = c - 255 + lzh::kThreshold;
        // A match that runs past the declared size is cut there.
        for (int k = 0; k < length && count < unpackedSize; ++k, ++count) {
            const uint8_t b = ring[(start + k) & (lzh::kRingSize - 1)];
            output.push_back(static_cast<char>(b));
            ring[r] = b;
            r = (r + 1) & (lzh::kRingSize - 1);
        }
    }
}

bool UnpackSkin(std::string_view packed, std::string& unpacked, size_t limit) {
    unpacked.clear();
    if (packed.size() < 4) return false;
    const auto byte = [&](int i) { return static_cast<uint32_t>(static_cast<uint8_t>(packed[i])); };
    const uint32_t size = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const std::string_view stream = packed.substr(4);
    if (size > limit || size > TLZH::MaxUnpackedSize(stream.size())) return false;
    TLZH::Decode(stream, size, unpacked);
    return true;
}

}  // namespace kestrone
