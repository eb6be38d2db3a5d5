#include "ui/skin/skin_loader.h"

#include <algorithm>

#include "core/text.h"
#include "ui/skin/skin_values.h"

namespace kestrone {

TColor SkinSource::Colour(std::string_view section, std::string_view key,
                          TColor defaultColour) const {
    return ReadSkinColour(ini_, section, key, defaultColour);
}

SkinBitmap SkinSource::Bitmap(std::string_view section, std::string_view key) {
    SkinBitmap bitmap;
    const std::string reference = ini_.ReadString(section, key, "");
    if (LoadSkinBitmap(reader_, reference, bitmap) == BitmapLoad::Broken) broken_ = true;
    return bitmap;
}

namespace {

constexpr const char* kPersonality = "Personality";

void LoadBorder(SkinSource& source, TDataSkinObject& border, const std::string& name,
                bool horizontal) {
    border = TDataSkinObject();
    border.IDName = name;
    border.Map = source.Bitmap(kPersonality, name);
    const int first = source.Int(kPersonality, name + "TopHeight", 0);
    const int second = source.Int(kPersonality, name + "BotHeight", 0);
    if (horizontal) {
        border.LeftWidth = first;
        border.RightWidth = second;
    } else {
        border.TopHeight = first;
        border.BottomHeight = second;
    }
    border.Frame = source.Int(kPersonality, name + "Frame", 1);
    border.Tile = std::min(source.Int(kPersonality, name + "Stretch", 1), 1);
    border.Trans = source.Int(kPersonality, name + "Trans", 1);
}

}  // namespace

void LoadBorders(SkinSource& source, TSkinContent& content) {
    LoadBorder(source, content.LeftBorder, "Left", false);
    LoadBorder(source, content.RightBorder, "Right", false);
    LoadBorder(source, content.TopBorder, "Top", true);
    LoadBorder(source, content.BottomBorder, "Bottom", true);
}

void LoadPushButton(SkinSource& source, TSkinContent& content) {
    constexpr const char* s = "Buttons";
    TDataSkinButton& b = content.Button;
    b = TDataSkinButton();
    b.IDName = s;
    b.Map = source.Bitmap(s, "Bitmap");
    b.LeftWidth = source.Int(s, "LeftWidth", 0);
    b.RightWidth = source.Int(s, "RightWidth", 0);
    b.TopHeight = source.Int(s, "TopHeight", 0);
    b.BottomHeight = source.Int(s, "BottomHeight", 0);
    b.Trans = source.Int(s, "Trans", 0);
    const int tile = source.Int(s, "Tile", 0);
    b.Tile = tile > 1 ? 0 : tile;
    b.CheckMap = source.Bitmap(s, "CheckButton");
    b.RadioMap = source.Bitmap(s, "RadioButton");
    b.NormalColour = source.Int(s, "NormalColour", kNoColour);
    b.MouseOverColour = source.Int(s, "MouseOverColour", kNoColour);
    b.PressedColour = source.Int(s, "PressedColour", kNoColour);
    b.RadioFrame = source.Int(s, "RadioButtonFrame", 0);
    b.CheckFrame = source.Int(s, "CheckButtonFrame", 0);
    const TColor text = content.Colours.ButtonText;
    b.HasNormalColour2 = source.Has(s, "NormalColour2");
    b.HasMouseOverColour2 = source.Has(s, "MouseOverColour2");
    b.HasPressedColour2 = source.Has(s, "PressedColour2");
    b.NormalColour2 = source.Colour(s, "NormalColour2", text);
    b.MouseOverColour2 = source.Colour(s, "MouseOverColour2", text);
    b.PressedColour2 = source.Colour(s, "PressedColour2", text);
}

void LoadTitle(SkinSource& source, TSkinContent& content) {
    TDataSkinTitle& t = content.Title;
    t = TDataSkinTitle();
    t.IDName = "Title";
    t.Map = source.Bitmap(kPersonality, "TextBack");
    t.LeftWidth = source.Int(kPersonality, "TextShift", 0);
    t.TopHeight = source.Int(kPersonality, "TextShiftVert", 0);
    t.RightWidth = source.Int(kPersonality, "TextRightClip", 0);
    t.TextAlignment = source.Int(kPersonality, "TextAlignment", 0);
    t.Textbackground = source.Int(kPersonality, "Textbackground", 0);
    t.TXTBackleft = source.Int(kPersonality, "TXTBackleft", 0);
    t.TXTBackRight = source.Int(kPersonality, "TXTBackRight", 0);
    t.FontHeight = source.Int("Fonts", "FontHeight", 14);
    const auto rgb = [&](const char* prefix, TColor& colour) {
        const std::string p = prefix;
        const int r = source.Int(kPersonality, p + "R", -1);
        const int g = source.Int(kPersonality, p + "G", -1);
        const int b = source.Int(kPersonality, p + "B", -1);
        if (r >= 0 && g >= 0 && b >= 0) colour = RGBColour(r, g, b);
    };
    rgb("ActiveText", t.ActiveTextColour);
    rgb("InActiveText", t.InactiveTextColour);
}

bool LoadSkinContent(SkinSource& source, TSkinContent& content) {
    content = TSkinContent();
    content.SkinName = source.Ini().ReadString("TitlebarSkin", "SkinName", "");
    LoadBorders(source, content);
    LoadColourTable(source, content.Colours);
    LoadSysButtons(source, content);
    LoadPushButton(source, content);
    LoadTitle(source, content);
    LoadSectionObjects(source, content);
    SetFrameCounts(content);
    BuildDerivedObjects(content);
    return !source.Broken();
}

}  // namespace kestrone
