#include "ui/skin/lzh_huffman.h"

#include <algorithm>

namespace kestrone::lzh {

AdaptiveHuffman::AdaptiveHuffman() {
    for (int i = 0; i < kSymbols; ++i) {
        freq_[i] = 1;
        son_[i] = i + kTreeSize;
        parent_[i + kTreeSize] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        freq_[j] = freq_[i] + freq_[i + 1];
        son_[j] = i;
        parent_[i] = parent_[i + 1] = j;
    }
    freq_[kTreeSize] = 0xFFFF;  // sentinel that stops the reordering walk
    parent_[kRoot] = 0;
}

// Halves every frequency and builds the tree anew from the leaves.
void AdaptiveHuffman::Rebuild() {
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i) {
        if (son_[i] >= kTreeSize) {
            freq_[j] = (freq_[i] + 1) / 2;
            son_[j] = son_[i];
            ++j;
        }
    }
    for (int i = 0, node = kSymbols; node < kTreeSize; i += 2, ++node) {
        const uint32_t f = freq_[i] + freq_[i + 1];
        int k = node - 1;
        while (f < freq_[k]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[k] = f;
        son_[k] = i;
    }
    for (int i = 0; i < kTreeSize; ++i) {
        const int k = son_[i];
        if (k >= kTreeSize) {
            parent_[k] = i;
        } else {
            parent_[k] = parent_[k + 1] = i;
        }
    }
}

void AdaptiveHuffman::Update(int symbol) {
    if (freq_[kRoot] == kMaxFrequency) Rebuild();
    int c = parent_[symbol + kTreeSize];
    do {
        const uint32_t k = ++freq_[c];
        int l = c + 1;
        if (k > freq_[l]) {
            while (k > freq_[++l]) {
            }
            --l;
            freq_[c] = freq_[l];
            freq_[l] = k;

            const int i = son_[c];
            parent_[i] = l;
            if (i < kTreeSize) parent_[i + 1] = l;
            const int j = son_[l];
            son_[l] = i;
            parent_[j] = c;
            if (j < kTreeSize) parent_[j + 1] = c;
            son_[c] = j;
            c = l;
        }
        c = parent_[c];
    } while (c != 0);
}

namespace {

PositionTables BuildPositionTables() {
    // Prefix length -> how many of the 64 upper-bit values use it.
    struct Group {
        int length;
        int values;
    };
    const Group groups[] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
    PositionTables t;
    int code = 0;   // upper 6 bits
    int index = 0;  // first 8-bit look-ahead value of the current prefix
    for (const Group& g : groups) {
        const int span = 1 << (8 - g.length);  // look-ahead values one prefix covers
        for (int v = 0; v < g.values; ++v, ++code) {
            t.encodeCode[code] = static_cast<uint8_t>(index);
            t.encodeLength[code] = static_cast<uint8_t>(g.length);
            for (int s = 0; s < span; ++s, ++index) {
                t.decodeCode[index] = static_cast<uint8_t>(code);
                t.decodeLength[index] = static_cast<uint8_t>(g.length);
            }
        }
    }
    return t;
}

}  // namespace

const PositionTables& Positions() {
    static const PositionTables tables = BuildPositionTables();
    return tables;
}

}  // namespace kestrone::lzh
