// Helpers for the skin tests: small skins built in memory and random bytes.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "lzh_encoder.h"
#include "skin_container.h"
#include "style.h"

namespace kestrone::test {

inline std::string RandomBytes(size_t count, uint32_t seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> dist(0, alphabet - 1);
    std::string out(count, '\0');
    for (char& c : out) c = static_cast<char>(dist(rng));
    return out;
}

// A plain bitmap of the given size, filled with one colour.
inline std::string SolidBmp(int width, int height, uint32_t pixel = 0x336699) {
    return skinart::EncodeBmp(SkinBitmap(width, height, pixel));
}

// A packed skin made of an INI text and named entries.
inline std::string PackedSkin(const std::string& ini,
                              std::vector<skinpack::ContainerEntry> entries = {},
                              uint32_t format = 20000) {
    entries.push_back({"test.ini", ini});
    return skinpack::PackSkin(skinpack::BuildContainer(entries, format));
}

// Kestrone's own skin, drawn and packed in memory as the build does it.
inline const std::string& DefaultPackedSkin() {
    static const std::string packed = [] {
        const skinart::SkinArt art = skinart::DrawDefaultSkin();
        std::vector<skinpack::ContainerEntry> entries;
        for (const auto& [name, bitmap] : art.bitmaps) entries.push_back({name, skinart::EncodeBmp(bitmap)});
        entries.push_back({"kestrone.ini", art.ini});
        return skinpack::PackSkin(skinpack::BuildContainer(entries));
    }();
    return packed;
}

}  // namespace kestrone::test
