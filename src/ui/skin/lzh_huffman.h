// The adaptive Huffman code and the match-position tables shared by the skin
// decoder (in the program) and the skin packer (a host tool). Both sides must
// update the tree in exactly the same way, so the code lives in one place.
#pragma once

#include <array>
#include <cstdint>

namespace kestrone::lzh {

inline constexpr int kRingSize = 4096;   // N: the sliding dictionary
inline constexpr int kMaxMatch = 60;     // F: longest match
inline constexpr int kThreshold = 2;     // shorter matches are sent as literals
inline constexpr int kSymbols = 256 - kThreshold + kMaxMatch;  // 314 leaves
inline constexpr int kTreeSize = kSymbols * 2 - 1;             // 627 nodes
inline constexpr int kRoot = kTreeSize - 1;                    // 626
inline constexpr uint32_t kMaxFrequency = 0x8000;
// The dictionary starts filled with blanks up to this position.
inline constexpr int kStartPosition = kRingSize - kMaxMatch;   // 4036

// The adaptive code over the 314 symbols (256 literals, 58 match lengths).
// Children of an inner node sit at son[node] and son[node] + 1; a value of
// kTreeSize or more marks a leaf (symbol = value - kTreeSize).
class AdaptiveHuffman {
public:
    AdaptiveHuffman();
    // Counts one more occurrence of the symbol and restores the sibling order.
    void Update(int symbol);

    int Son(int node) const { return son_[node]; }
    int Parent(int node) const { return parent_[node]; }
    // The tree node that holds the leaf of a symbol.
    int LeafNode(int symbol) const { return parent_[symbol + kTreeSize]; }

private:
    void Rebuild();

    std::array<uint32_t, kTreeSize + 1> freq_{};
    std::array<int, kTreeSize + kSymbols> parent_{};
    std::array<int, kTreeSize> son_{};
};

// Position coding: the upper 6 bits of a match position get a prefix code of
// 3 to 8 bits; the lower 6 bits follow as they are.
struct PositionTables {
    std::array<uint8_t, 256> decodeCode{};   // 8 look-ahead bits -> upper 6 bits
    std::array<uint8_t, 256> decodeLength{}; // 8 look-ahead bits -> prefix length
    std::array<uint8_t, 64> encodeCode{};    // upper 6 bits -> prefix, left-aligned in 8 bits
    std::array<uint8_t, 64> encodeLength{};  // upper 6 bits -> prefix length
};
const PositionTables& Positions();

}  // namespace kestrone::lzh
