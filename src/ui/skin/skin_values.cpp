#include "ui/skin/skin_values.h"

#include "core/text.h"

namespace kestrone {

TColor ParseSkinColour(std::string_view text, TColor defaultColour) {
    const std::string value = Trim(text);
    if (value.empty()) return defaultColour;
    int parts[3] = {0, 0, 0};
    int found = 0;
    size_t i = 0;
    while (i < value.size() && found < 3) {
        if (value[i] < '0' || value[i] > '9') {
            ++i;
            continue;
        }
        unsigned low = 0;  // the number modulo 256, so long runs cannot overflow
        for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
            low = (low * 10 + static_cast<unsigned>(value[i] - '0')) & 0xFF;
        }
        parts[found++] = static_cast<int>(low);
    }
    return RGBColour(parts[0], parts[1], parts[2]);
}

TColor ReadSkinColour(const TQuickIni& ini, std::string_view section, std::string_view key,
                      TColor defaultColour) {
    return ParseSkinColour(ini.ReadString(section, key, ""), defaultColour);
}

std::string BitmapEntryName(std::string_view reference) {
    const size_t cut = reference.find_last_of("\\:");
    const std::string_view name =
        cut == std::string_view::npos ? reference : reference.substr(cut + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}

BitmapLoad LoadSkinBitmap(const TSkinReader& reader, std::string_view reference,
                          SkinBitmap& out) {
    out = SkinBitmap();
    const std::string name = BitmapEntryName(reference);
    if (name.empty() || !reader.HasEntry(name)) return BitmapLoad::Empty;
    const std::string bytes = reader.Entry(name);
    if (bytes.empty()) return BitmapLoad::Empty;
    return DecodeBmp(bytes, out) ? BitmapLoad::Loaded : BitmapLoad::Broken;
}

}  // namespace kestrone
