// The skin objects of the control sections, read in a fixed order, and the
// frame counts each element has.
#include <algorithm>

#include "core/text.h"
#include "ui/skin/skin_loader.h"

namespace kestrone {
namespace {

enum class Kind { Generic, Pair, Progress, GroupBox };

void ReadCommon(SkinSource& src, const std::string& s, TDataSkinObject& o, int tileLimitTo) {
    o.IDName = s;
    o.Style = src.Int(s, "Style", 0);
    o.LeftWidth = src.Int(s, "LeftWidth", 0);
    o.RightWidth = src.Int(s, "RightWidth", 0);
    o.TopHeight = src.Int(s, "TopHeight", 0);
    o.BottomHeight = src.Int(s, "BottomHeight", 0);
    o.Trans = src.Int(s, "Trans", 0);
    const int tile = src.Int(s, "Tile", 0);
    o.Tile = tile > 1 ? tileLimitTo : tile;
}

void ReadColours(SkinSource& src, const std::string& s, TDataSkinObject& o, TColor text) {
    o.NormalColour = src.Int(s, "NormalColour", kNoColour);
    o.MouseOverColour = src.Int(s, "MouseOverColour", kNoColour);
    o.PressedColour = src.Int(s, "PressedColour", kNoColour);
    o.NormalColour2 = src.Colour(s, "NormalColour2", text);
    o.MouseOverColour2 = src.Colour(s, "MouseOverColour2", text);
    o.PressedColour2 = src.Colour(s, "PressedColour2", text);
}

// One object, or null when its image key is missing or empty.
std::unique_ptr<TDataSkinObject> ReadObject(SkinSource& src, const std::string& s, Kind kind,
                                            const char* secondKey, TColor text) {
    const char* imageKey = kind == Kind::Progress ? "Bitmap" : "Image";
    if (!src.Has(s, imageKey)) return nullptr;
    std::unique_ptr<TDataSkinObject> o;
    if (kind == Kind::Pair) {
        auto pair = std::make_unique<TDataSkinBorder>();
        if (secondKey) pair->Map2 = src.Bitmap(s, secondKey);
        o = std::move(pair);
    } else if (kind == Kind::GroupBox) {
        auto box = std::make_unique<TDataSkinBoxLabel>();
        box->BackgroundAlignment = src.Int(s, "BackgroundAlignment", 0);
        box->BackgroundLeftShift = src.Int(s, "BackgroundLeftShift", 0);
        box->BackgroundRightShift = src.Int(s, "BackgroundRightShift", 0);
        o = std::move(box);
    } else {
        o = std::make_unique<TDataSkinObject>();
    }
    o->Map = src.Bitmap(s, imageKey);
    ReadCommon(src, s, *o, kind == Kind::Progress ? 1 : 0);
    if (kind == Kind::Generic) o->Frame = src.Int(s, "Frame", 0);
    if (kind != Kind::Progress) ReadColours(src, s, *o, text);
    return o;
}

// The menu bar lives in the Personality section under keys of its own.
std::unique_ptr<TDataSkinObject> ReadMenuBar(SkinSource& src) {
    constexpr const char* s = "Personality";
    if (!src.Has(s, "menuBar")) return nullptr;
    auto o = std::make_unique<TDataSkinObject>();
    o->IDName = s;
    o->Map = src.Bitmap(s, "menuBar");
    o->Tile = std::min(src.Int(s, "TileMenu", 1), 1);
    o->LeftWidth = src.Int(s, "TileLeftMenu", 1);
    o->RightWidth = src.Int(s, "TileRightMenu", 1);
    return o;
}

struct SectionSpec {
    const char* section;
    Kind kind;
    const char* secondKey;
};

const SectionSpec kSections[] = {
    {"Progress", Kind::Progress, nullptr},
    {"Progress.Chunk", Kind::Generic, nullptr},
    {"Personality", Kind::Generic, nullptr},  // the menu bar, read by ReadMenuBar
    {"GroupBoxEdge", Kind::Generic, nullptr},
    {"GroupBox", Kind::GroupBox, nullptr},
    {"Tabs", Kind::Pair, "Border"},
    {"StatusBarEdges", Kind::Generic, nullptr},
    {"Tab.Pane", Kind::Generic, nullptr},
    {"ToolBars", Kind::Generic, nullptr},
    {"ComboButton", Kind::Pair, nullptr},
    {"SunkEdge", Kind::Generic, nullptr},
    {"ExtraImages", Kind::Generic, nullptr},
    {"Headerbar", Kind::Generic, nullptr},
    {"MenuItem", Kind::Generic, nullptr},
    {"MenuBackground", Kind::Generic, nullptr},
    {"Scrollbar", Kind::Generic, nullptr},
    {"HorzScroll", Kind::Generic, nullptr},
    {"VertScroll", Kind::Generic, nullptr},
    {"HorzScrollThumb", Kind::Generic, nullptr},
    {"VertScrollThumb", Kind::Generic, nullptr},
    {"Trackbar.ThumbHorz", Kind::Generic, nullptr},
    {"Trackbar.ThumbVert", Kind::Generic, nullptr},
    {"Trackbar.ThumbLeft", Kind::Generic, nullptr},
    {"Trackbar.ThumbRight", Kind::Generic, nullptr},
    {"Trackbar.ThumbUp", Kind::Generic, nullptr},
    {"Trackbar.ThumbDown", Kind::Generic, nullptr},
    {"UpDown.Horz", Kind::Pair, "GlyphImage"},
    {"UpDown.Vert", Kind::Pair, "GlyphImage"},
    {"Track", Kind::Generic, nullptr},
    {"TRACKVERT", Kind::Generic, nullptr},
};

std::unique_ptr<TDataSkinObject> BuiltinTrack(const char* name, bool vertical) {
    auto o = std::make_unique<TDataSkinObject>();
    o->IDName = name;
    o->Map = BuiltinTrackBitmap(vertical);
    o->LeftWidth = o->TopHeight = o->RightWidth = o->BottomHeight = 3;
    o->Tile = 0;
    o->Frame = 1;
    return o;
}

}  // namespace

void LoadSectionObjects(SkinSource& src, TSkinContent& content) {
    const TColor text = content.Colours.ButtonText;
    for (const SectionSpec& spec : kSections) {
        const std::string section = spec.section;
        std::unique_ptr<TDataSkinObject> o =
            section == "Personality" ? ReadMenuBar(src)
                                     : ReadObject(src, section, spec.kind, spec.secondKey, text);
        if (!o && (section == "Track" || section == "TRACKVERT")) {
            o = BuiltinTrack(spec.section, section == "TRACKVERT");
        }
        if (section == "Tab.Pane" && o) {
            o->LeftWidth = std::min(o->LeftWidth, 4);
            o->TopHeight = std::min(o->TopHeight, 4);
            o->RightWidth = std::min(o->RightWidth, 4);
            o->BottomHeight = std::min(o->BottomHeight, 4);
        }
        if (section == "HorzScrollThumb" || section == "VertScrollThumb") {
            if (o) o->Frame = src.Int(section, "FrameCount", 3);
        }
        if (o) content.Objects.push_back(std::move(o));
    }
}

void SetFrameCounts(TSkinContent& content) {
    struct Fixed {
        const char* name;
        int frames;
    };
    static const Fixed kFixed[] = {
        {"Personality", 2}, {"GroupBoxEdge", 2}, {"GroupBox", 1}, {"Tabs", 5},
        {"StatusBarEdges", 3}, {"Tab.Pane", 1}, {"ToolBars", 5}, {"ComboButton", 4},
        {"SunkEdge", 4}, {"ExtraImages", 5}, {"MenuItem", 5}, {"MenuBackground", 1},
        {"Scrollbar", 23}, {"HorzScroll", 4}, {"VertScroll", 4},
        {"Trackbar.ThumbHorz", 5}, {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5},
        {"Trackbar.ThumbRight", 5}, {"Trackbar.ThumbUp", 5}, {"Trackbar.ThumbDown", 5},
        {"UpDown.Horz", 8}, {"UpDown.Vert", 8},
    };
    for (const Fixed& f : kFixed) {
        if (TDataSkinObject* o = content.Find(f.name)) o->Frame = f.frames;
    }
    if (TDataSkinObject* p = content.Find("Progress")) p->Frame = p->Style != 0 ? 1 : 2;
    if (TDataSkinObject* h = content.Find("Headerbar"); h && h->Frame == 0) h->Frame = 5;
    content.Button.Frame = 5;
    content.Title.Frame = 2;

    const auto glyphFrames = [](const SkinBitmap& map, int given) {
        if (given > 0) return given;
        const int cell = map.height < 16 ? 13 : 16;
        return std::max(map.width / cell, 4);
    };
    content.Button.CheckFrame = glyphFrames(content.Button.CheckMap, content.Button.CheckFrame);
    content.Button.RadioFrame = glyphFrames(content.Button.RadioMap, content.Button.RadioFrame);

    // A frame count below one would divide a bitmap by zero when it is cut.
    for (auto& o : content.Objects) o->Frame = std::max(o->Frame, 1);
    for (auto& b : content.SysButtons) b->Frame = std::max(b->Frame, 1);
    for (TDataSkinObject* b : {&content.LeftBorder, &content.RightBorder, &content.TopBorder,
                               &content.BottomBorder}) {
        b->Frame = std::max(b->Frame, 1);
    }
}

}  // namespace kestrone
