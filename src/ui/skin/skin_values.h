// How the skin's INI values are read beyond plain strings and integers:
// colours written as three numbers, and references to bitmap entries.
#pragma once

#include <string>
#include <string_view>

#include "ui/skin/bmp_decoder.h"
#include "ui/skin/quick_ini.h"
#include "ui/skin/skin_bitmap.h"
#include "ui/skin/skin_reader.h"

namespace kestrone {

// "248 248 251" -> RGB(248, 248, 251); "10,20" -> RGB(10, 20, 0). Runs of
// digits are the numbers, anything else separates them; each keeps its low
// 8 bits. An empty (or blank) value gives the default.
TColor ParseSkinColour(std::string_view text, TColor defaultColour);
TColor ReadSkinColour(const TQuickIni& ini, std::string_view section, std::string_view key,
                      TColor defaultColour);

// The entry name a bitmap reference points at: only the file-name part counts,
// and the extension must be exactly ".bmp". Empty when the value cannot name
// a bitmap.
std::string BitmapEntryName(std::string_view reference);

// Outcome of loading a referenced bitmap.
enum class BitmapLoad {
    Empty,    // no usable reference or no such entry: the bitmap stays empty
    Loaded,
    Broken,   // the entry exists but is not a complete BMP: the skin is refused
};
BitmapLoad LoadSkinBitmap(const TSkinReader& reader, std::string_view reference,
                          SkinBitmap& out);

}  // namespace kestrone
