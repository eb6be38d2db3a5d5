// The skin objects: one per skinned element, holding its bitmap with all state
// frames, the nine-slice margins and the colours its section gives. The skin
// manager and the control skins only ever read them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/skin_bitmap.h"

namespace kestrone {

class TDataSkinObject {
public:
    virtual ~TDataSkinObject() = default;

    // Nine-slice margins: the corners and edges that keep their size.
    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    SkinBitmap Map;        // every state frame, side by side or stacked
    int Trans = 0;         // 1: magenta is transparent
    int Tile = 0;          // 0: stretch centre and edges; 1: tile them
    std::string IDName;    // the section name
    int Frame = 1;         // number of state frames in Map
    int Style = 0;
    TColor NormalColour = kNoColour;
    TColor MouseOverColour = kNoColour;
    TColor PressedColour = kNoColour;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// Objects with a second bitmap: the tab border, the up-down glyphs.
class TDataSkinBorder : public TDataSkinObject {
public:
    SkinBitmap Map2;
};

// Push buttons, with the check-box and radio-button bitmaps.
class TDataSkinButton : public TDataSkinObject {
public:
    SkinBitmap CheckMap;
    SkinBitmap RadioMap;
    int CheckFrame = 0;
    int RadioFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// The caption. Its margins mean: LeftWidth the text shift, TopHeight the
// vertical text shift, RightWidth the right clip.
class TDataSkinTitle : public TDataSkinObject {
public:
    static constexpr TColor kColourNotGiven = 0x1FFFFFFF;
    int TextAlignment = 0;  // 0 left, 1 centre, 2 right
    int Textbackground = 0;
    int FontHeight = 14;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    TColor ActiveTextColour = kColourNotGiven;
    TColor InactiveTextColour = kColourNotGiven;
};

// A title-bar button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = -1;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group box.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};

// The skin's colours: named system-colour overrides, one per COLOUR* section
// and ten custom colours.
struct TSkinColours {
    TColor WindowText = 0, ButtonFace = 0, Scrollbar = 0, HilightText = 0, Hilight = 0;
    TColor Menubar = 0, Menu = 0, MenuText = 0, ButtonText = 0, ButtonHilight = 0;
    TColor Buttonlight = 0, ButtonShadow = 0, ButtonDkShadow = 0, MenuBarText = 0;
    TColor TitleTextActive = 0, TitleTextNoActive = 0;
    struct Named {
        std::string section;
        TColor colour = 0;
    };
    std::vector<Named> sectionColours;
    std::array<TColor, 10> custom{};
};

// Everything one load of a skin produces.
struct TSkinContent {
    std::string SkinName;
    TDataSkinObject LeftBorder, RightBorder, TopBorder, BottomBorder;
    TSkinColours Colours;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    TDataSkinButton Button;
    TDataSkinTitle Title;
    // The objects of the other sections and the derived objects, by name.
    std::vector<std::unique_ptr<TDataSkinObject>> Objects;
    // The combo box drawn ready: one 50 x 21 cell per SunkEdge frame.
    SkinBitmap ComboImage;
    TColor TitleColour = 0;

    // The object of a section (case-insensitive), or null when absent.
    const TDataSkinObject* Find(std::string_view name) const;
    TDataSkinObject* Find(std::string_view name);
};

}  // namespace kestrone
