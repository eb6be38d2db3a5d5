#include "lzh_encoder.h"

#include <cstdint>
#include <vector>

#include "ui/skin/lzh_huffman.h"

namespace kestrone::skinpack {
namespace {

using namespace kestrone::lzh;

constexpr int kNil = kRingSize;  // "no node" in the match tree

class BitWriter {
public:
    // Appends the `count` highest bits of `code` (left-aligned in 32 bits).
    void Put(int count, uint32_t code) {
        for (int i = 0; i < count; ++i) {
            buffer_ = static_cast<uint8_t>((buffer_ << 1) | ((code >> (31 - i)) & 1));
            if (++filled_ == 8) {
                out_.push_back(static_cast<char>(buffer_));
                buffer_ = 0;
                filled_ = 0;
            }
        }
    }
    std::string Finish() {
        if (filled_ > 0) out_.push_back(static_cast<char>(buffer_ << (8 - filled_)));
        filled_ = 0;
        return std::move(out_);
    }

private:
    std::string out_;
    uint8_t buffer_ = 0;
    int filled_ = 0;
};

// Binary search trees over the dictionary, one per first byte, that find the
// longest (then nearest) earlier match for the look-ahead text.
class MatchFinder {
public:
    explicit MatchFinder(const std::vector<uint8_t>& ring) : ring_(ring) {
        left_.assign(kRingSize + 1, kNil);
        right_.assign(kRingSize + 257, kNil);
        parent_.assign(kRingSize + 1, kNil);
    }

    int length = 0;
    int position = 0;

    void Insert(int r) {
        int cmp = 1;
        const uint8_t* key = &ring_[r];
        int p = kRingSize + 1 + key[0];
        right_[r] = left_[r] = kNil;
        length = 0;
        for (;;) {
            std::vector<int>& side = cmp >= 0 ? right_ : left_;
            if (side[p] == kNil) {
                side[p] = r;
                parent_[r] = p;
                return;
            }
            p = side[p];
            int i = 1;
            for (; i < kMaxMatch; ++i) {
                cmp = key[i] - ring_[p + i];
                if (cmp != 0) break;
            }
            if (i > kThreshold) {
                const int distance = ((r - p) & (kRingSize - 1)) - 1;
                if (i > length) {
                    position = distance;
                    length = i;
                    if (length >= kMaxMatch) break;
                } else if (i == length && distance < position) {
                    position = distance;
                }
            }
        }
        Replace(p, r);
    }

    void Delete(int p) {
        if (parent_[p] == kNil) return;
        int q;
        if (right_[p] == kNil) {
            q = left_[p];
        } else if (left_[p] == kNil) {
            q = right_[p];
        } else {
            q = left_[p];
            if (right_[q] != kNil) {
                do q = right_[q];
                while (right_[q] != kNil);
                right_[parent_[q]] = left_[q];
                parent_[left_[q]] = parent_[q];
                left_[q] = left_[p];
                parent_[left_[p]] = q;
            }
            right_[q] = right_[p];
            parent_[right_[p]] = q;
        }
        parent_[q] = parent_[p];
        if (right_[parent_[p]] == p) {
            right_[parent_[p]] = q;
        } else {
            left_[parent_[p]] = q;
        }
        parent_[p] = kNil;
    }

private:
    // A full-length match: node r takes the place of node p in the tree.
    void Replace(int p, int r) {
        parent_[r] = parent_[p];
        left_[r] = left_[p];
        right_[r] = right_[p];
        parent_[left_[p]] = r;
        parent_[right_[p]] = r;
        if (right_[parent_[p]] == p) {
            right_[parent_[p]] = r;
        } else {
            left_[parent_[p]] = r;
        }
        parent_[p] = kNil;
    }

    const std::vector<uint8_t>& ring_;
    std::vector<int> left_, right_, parent_;
};

class Encoder {
public:
    void Symbol(int c) {
        // Walk from the leaf to the root collecting the path, then emit it
        // root first. Codes can exceed 16 bits, so the path is kept whole.
        uint64_t path = 0;
        int bits = 0;
        for (int k = tree_.LeafNode(c); k != kRoot; k = tree_.Parent(k), ++bits) {
            path |= static_cast<uint64_t>(k & 1) << bits;
        }
        for (int i = bits - 1; i >= 0; --i) writer_.Put(1, static_cast<uint32_t>((path >> i) & 1) << 31);
        tree_.Update(c);
    }
    void Position(int position) {
        const PositionTables& t = Positions();
        const int upper = position >> 6;
        writer_.Put(t.encodeLength[upper], static_cast<uint32_t>(t.encodeCode[upper]) << 24);
        writer_.Put(6, static_cast<uint32_t>(position & 0x3F) << 26);
    }
    std::string Finish() { return writer_.Finish(); }

private:
    AdaptiveHuffman tree_;
    BitWriter writer_;
};

}  // namespace

std::string LzhEncode(std::string_view data) {
    std::vector<uint8_t> ring(kRingSize + kMaxMatch - 1, 0);
    MatchFinder finder(ring);
    Encoder encoder;
    size_t next = 0;  // next input byte to enter the look-ahead
    int s = 0;
    int r = kStartPosition;
    std::fill(ring.begin(), ring.begin() + r, ' ');
    int len = 0;
    for (; len < kMaxMatch && next < data.size(); ++len) ring[r + len] = static_cast<uint8_t>(data[next++]);
    for (int i = 1; i <= kMaxMatch; ++i) finder.Insert(r - i);
    finder.Insert(r);
    while (len > 0) {
        if (finder.length > len) finder.length = len;
        int step = finder.length;
        if (step <= kThreshold) {
            step = 1;
            encoder.Symbol(ring[r]);
        } else {
            encoder.Symbol(255 - kThreshold + step);
            encoder.Position(finder.position);
        }
        for (int i = 0; i < step; ++i) {
            finder.Delete(s);
            if (next < data.size()) {
                const uint8_t c = static_cast<uint8_t>(data[next++]);
                ring[s] = c;
                if (s < kMaxMatch - 1) ring[s + kRingSize] = c;
            } else {
                --len;
            }
            s = (s + 1) & (kRingSize - 1);
            r = (r + 1) & (kRingSize - 1);
            if (len > 0) finder.Insert(r);
        }
    }
    return encoder.Finish();
}

std::string PackSkin(std::string_view unpacked) {
    const uint32_t size = static_cast<uint32_t>(unpacked.size());
    std::string packed;
    for (int i = 0; i < 4; ++i) packed.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    packed += LzhEncode(unpacked);
    return packed;
}

}  // namespace kestrone::skinpack
