// The control-skin choice: Skin3rd lines (with "nil"), DisableTag, the
// SkinControls bits, the built-in table and the table of raw dialog children.
#include "ui/skin/control_choice.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

using K = ControlSkinKind;
using namespace buttonstyle;

ControlFacts Component(const char* component, uint32_t style = 0) {
    ControlFacts c;
    c.componentClass = component;
    c.style = style;
    c.skinHasTabs = true;
    return c;
}

ControlFacts Raw(const char* windowClass, uint32_t style = 0) {
    ControlFacts c;
    c.windowClass = windowClass;
    c.style = style;
    c.skinHasTabs = true;
    return c;
}

// The main window's settings.
TSkinData MainSettings() {
    TSkinData data;
    data.SkinControls = {xcMainMenu,    xcPopupMenu,   xcControlbar, xcCombo,    xcCheckBox,
                         xcRadioButton, xcProgress,    xcScrollbar,  xcEdit,     xcButton,
                         xcBitBtn,      xcSpeedButton, xcPanel,      xcGroupBox, xcStatusBar,
                         xcTab,         xcSystemMenu};
    return data;
}

TEST(ControlChoice, BuiltInTableForTheProgramsControls) {
    const TSkinData data = MainSettings();
    const struct {
        ControlFacts control;
        K kind;
    } cases[] = {
        {Component("TButton"), K::Button},
        {Component("TBitBtn"), K::BitButton},
        {Component("TCheckBox"), K::CheckBox},
        {Component("TRadioButton"), K::RadioButton},
        {Component("TRadioGroup"), K::RadioGroup},
        {Component("TGroupBox"), K::GroupBox},
        {Component("TPanel"), K::Box},
        {Component("TEdit"), K::Edit},
        {Component("TComboBox"), K::ComboBox},
        {Component("TListView"), K::ListView},
        {Component("TStatusBar"), K::StatusBar},
        {Component("TPageControl"), K::Tab},
        {Component("TTabSheet"), K::TabSheet},
        {Component("TForm"), K::Box},
        {Component("TToolBar"), K::None},  // the main window leaves xcToolbar out
        {Component("TTreeView", 0x00200000), K::ScrollBars},     // by Skin3rd, too
        {Component("TCustomThing", 0x00100000), K::ScrollBars},  // any control with a scroll bar
        {Component("TCustomThing"), K::None},
        {Component("TStaticText"), K::None},  // "TStaticText=nil"
        // Skin3rd sends these to the scroll-bar skin before the table is asked.
        {Component("TMemo"), K::ScrollBars},
        {Component("TListBox"), K::ScrollBars},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseControlSkin(c.control, data), c.kind)
            << c.control.componentClass << " got "
            << ControlSkinKindName(ChooseControlSkin(c.control, data));
    }
}

TEST(ControlChoice, Skin3rdLinesNilAndBits) {
    TSkinData data = MainSettings();
    data.Skin3rd = {"TFancyEdit=Edit", "TGroupBox=nil",    "TShelf=container", "TTabby=tab",
                    "TGauge=progress", "TSlider=trackbar", "TButton=nil"};
    EXPECT_EQ(ChooseControlSkin(Component("tfancyedit"), data), K::Edit);  // any case
    EXPECT_EQ(ChooseControlSkin(Component("TGroupBox"), data), K::None);
    EXPECT_EQ(ChooseControlSkin(Component("TButton"), data), K::None);  // nil beats the table
    EXPECT_EQ(ChooseControlSkin(Component("TShelf"), data), K::Recurse);
    EXPECT_EQ(ChooseControlSkin(Component("TGauge"), data), K::Progress);
    EXPECT_EQ(ChooseControlSkin(Component("TSlider"), data), K::TrackBar);  // by xcButton
    ControlFacts tabby = Component("TTabby");
    EXPECT_EQ(ChooseControlSkin(tabby, data), K::Tab);
    tabby.skinHasTabs = false;
    EXPECT_EQ(ChooseControlSkin(tabby, data), K::None);
    // A line for a longer class name does not match a prefix of it.
    EXPECT_EQ(ChooseControlSkin(Component("TFancy"), data), K::None);
    // The bit a line needs must be set.
    data.SkinControls.Exclude(xcEdit);
    EXPECT_EQ(ChooseControlSkin(Component("TFancyEdit"), data), K::None);
    EXPECT_EQ(ChooseControlSkin(Component("TEdit"), data), K::None);
}

TEST(ControlChoice, DisableTagAndSkinnedControlsAreLeftAlone) {
    TSkinData data = MainSettings();
    ControlFacts button = Component("TButton");
    button.tag = 99;
    EXPECT_EQ(ChooseControlSkin(button, data), K::None);
    data.DisableTag = 5;
    EXPECT_EQ(ChooseControlSkin(button, data), K::Button);
    button.tag = 5;
    EXPECT_EQ(ChooseControlSkin(button, data), K::None);
    ControlFacts skinned = Component("TEdit");
    skinned.answersSkinQuery = true;
    EXPECT_EQ(ChooseControlSkin(skinned, data), K::None);
    ControlFacts raw = Raw("Button");
    raw.tag = 5;
    EXPECT_EQ(ChooseControlSkin(raw, data), K::None);
}

// A bitmap button is skinned only when xcBitBtn is set, even with xcButton.
TEST(ControlChoice, BitmapButtonNeedsItsOwnBit) {
    TSkinData data = MainSettings();
    data.SkinControls.Exclude(xcBitBtn);
    EXPECT_EQ(ChooseControlSkin(Component("TBitBtn"), data), K::None);
    EXPECT_EQ(ChooseControlSkin(Component("TButton"), data), K::Button);
}

TEST(ControlChoice, ChildrenOfSystemDialogsByWindowClass) {
    const TSkinData data = MainSettings();
    const struct {
        ControlFacts control;
        K kind;
    } cases[] = {
        {Raw("Button", kPushButton), K::Button},
        {Raw("BUTTON", kDefPushButton), K::Button},
        {Raw("Button", kAutoCheckBox), K::CheckBox},
        {Raw("Button", kAuto3State), K::CheckBox},
        {Raw("Button", kAutoRadioButton), K::RadioButton},
        {Raw("Button", kGroupBox), K::None},
        {Raw("Button", kPushButton | kIcon), K::None},
        {Raw("Button", kPushButton | kBitmap), K::None},
        {Raw("Button", kOwnerDraw), K::None},
        {Raw("ComboBox", 2 /* drop-down */), K::ComboBox},
        {Raw("ComboBox", 1 /* simple */), K::None},
        {Raw("ComboBoxEx32"), K::Recurse},
        {Raw("Edit"), K::Edit},
        {Raw("SysTabControl32"), K::Tab},
        {Raw("SysTabControl32", 0x2000 /* owner-drawn */), K::None},
        {Raw("#32770"), K::DialogBox},
        {Raw("#32770", 0x10000), K::None},
        {Raw("ScrollBar"), K::Sizer},
        {Raw("SysTreeView32"), K::None},
        {Raw("Static"), K::None},
        {Raw("TPanel"), K::Box},
        {Raw("TButton"), K::Button},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseControlSkin(c.control, data), c.kind)
            << c.control.windowClass << " " << std::hex << c.control.style;
    }
}

TEST(ControlChoice, ComponentClassOfTheProgramsWindows) {
    const struct {
        const char* windowClass;
        uint32_t style;
        bool own, images;
        const char* component;
    } cases[] = {
        {"Button", kPushButton, false, false, "TButton"},
        {"Button", kPushButton, false, true, "TBitBtn"},  // a push button with a picture
        {"Button", kGroupBox, false, false, "TGroupBox"},
        {"Button", kAutoCheckBox, false, false, "TCheckBox"},
        {"Button", kAutoRadioButton, false, false, "TRadioButton"},
        {"Button", kOwnerDraw, false, false, ""},
        {"Edit", 0, false, false, "TEdit"},
        {"Edit", 0x4 /* multi-line */, false, false, "TMemo"},
        {"SysListView32", 0, false, false, "TListView"},
        {"msctls_statusbar32", 0, false, false, "TStatusBar"},
        {"ToolbarWindow32", 0, false, false, "TToolBar"},
        {"RichEdit20A", 0, false, false, "TRichEdit"},
        {"KestronePage", 0, true, false, "TPanel"},
        {"Unknown", 0, false, false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComponentClassOf(c.windowClass, c.style, c.own, c.images), c.component)
            << c.windowClass;
    }
}

}  // namespace
}  // namespace kestrone
