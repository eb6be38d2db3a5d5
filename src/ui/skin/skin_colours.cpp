// The colour table: the skin's "Colours" section over the system scheme,
// colours of the COLOUR* sections, and the custom colours.
#include "core/text.h"
#include "platform/system_metrics.h"
#include "ui/skin/skin_loader.h"

namespace kestrone {

namespace {

TColor System(int index) { return static_cast<TColor>(platform::GetSystemColour(index)); }

}  // namespace

void LoadColourTable(SkinSource& source, TSkinColours& c) {
    using namespace platform;
    constexpr const char* s = "Colours";
    const auto read = [&](const char* key, TColor fallback) { return source.Colour(s, key, fallback); };
    c = TSkinColours();
    c.WindowText = read("WindowText", System(kColourWindowText));
    c.ButtonFace = read("ButtonFace", System(kColourButtonFace));
    c.Scrollbar = read("Scrollbar", System(kColourScrollbar));
    c.HilightText = read("HilightText", System(kColourHighlightText));
    c.Hilight = read("Hilight", System(kColourHighlight));
    c.Menubar = read("Menubar", c.ButtonFace);
    c.Menu = read("Menu", System(kColourMenu));
    c.MenuText = read("MenuText", System(kColourMenuText));
    c.ButtonText = read("ButtonText", System(kColourButtonText));
    c.ButtonHilight = read("ButtonHilight", System(kColourButtonHighlight));
    c.Buttonlight = read("Buttonlight", System(kColourButtonHighlight));
    c.ButtonShadow = read("ButtonShadow", System(kColourButtonShadow));
    c.ButtonDkShadow = read("ButtonDkShadow", System(kColour3dDarkShadow));
    c.MenuBarText = read("MenuBarText", System(kColourMenuText));
    c.TitleTextActive = read("TitleTextActive", System(kColourCaptionText));
    c.TitleTextNoActive = read("TitleTextNoActive", System(kColourInactiveCaptionText));

    for (const std::string& section : source.Ini().SectionNames()) {
        const std::string upper = UpperCase(section);
        if (!StartsWith(upper, "COLOUR") || upper == "COLOURS") continue;
        c.sectionColours.push_back({section, source.Colour(section, "color", c.WindowText)});
    }
    for (int i = 0; i < 10; ++i) {
        c.custom[i] = source.Colour("Customcolors", "Color" + std::to_string(i),
                                    RGBColour(255, 255, 255));
    }
}

}  // namespace kestrone
