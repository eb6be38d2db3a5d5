// Turns an unpacked skin (its container and INI text) into skin objects.
#pragma once

#include <string_view>

#include "ui/skin/quick_ini.h"
#include "ui/skin/skin_objects.h"
#include "ui/skin/skin_reader.h"

namespace kestrone {

// Reads the INI values and the bitmaps they refer to. Missing sections, keys
// and bitmaps give defaults; a bitmap entry that is not a complete BMP marks
// the load as broken.
class SkinSource {
public:
    SkinSource(const TSkinReader& reader, const TQuickIni& ini) : reader_(reader), ini_(ini) {}

    const TQuickIni& Ini() const { return ini_; }
    int Int(std::string_view section, std::string_view key, int defaultValue) const {
        return ini_.ReadInteger(section, key, defaultValue);
    }
    bool Has(std::string_view section, std::string_view key) const {
        return ini_.HasKey(section, key);
    }
    TColor Colour(std::string_view section, std::string_view key, TColor defaultColour) const;
    SkinBitmap Bitmap(std::string_view section, std::string_view key);
    bool Broken() const { return broken_; }

private:
    const TSkinReader& reader_;
    const TQuickIni& ini_;
    bool broken_ = false;
};

// The whole interpretation, in the order the skin defines. False when a
// bitmap was broken; `content` is then incomplete and must not be used.
bool LoadSkinContent(SkinSource& source, TSkinContent& content);

// The steps, each filling its part of `content`.
void LoadBorders(SkinSource& source, TSkinContent& content);
void LoadColourTable(SkinSource& source, TSkinColours& colours);
void LoadSysButtons(SkinSource& source, TSkinContent& content);
void LoadPushButton(SkinSource& source, TSkinContent& content);
void LoadTitle(SkinSource& source, TSkinContent& content);
void LoadSectionObjects(SkinSource& source, TSkinContent& content);
void SetFrameCounts(TSkinContent& content);
void BuildDerivedObjects(TSkinContent& content);

// The program's own track bitmaps, used when a skin has no Track section.
SkinBitmap BuiltinTrackBitmap(bool vertical);

}  // namespace kestrone
