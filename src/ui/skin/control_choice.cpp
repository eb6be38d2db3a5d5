#include "ui/skin/control_choice.h"

#include "core/text.h"

namespace kestrone {

namespace {

constexpr uint32_t kHScroll = 0x00100000;
constexpr uint32_t kVScroll = 0x00200000;

struct Selection {
    ControlSkinKind kind;
    TSkinControlType bit;
};

// Skinned only when the bit is set; otherwise the control keeps its look.
ControlSkinKind Gate(const TSkinData& data, Selection s) {
    return data.SkinControls.Has(s.bit) ? s.kind : ControlSkinKind::None;
}

ControlSkinKind KindOfSkin3rdValue(const std::string& value, const ControlFacts& c,
                                   const TSkinData& data) {
    using K = ControlSkinKind;
    struct Entry {
        const char* name;
        Selection selection;
    };
    static const Entry kEntries[] = {
        {"combobox", {K::ComboBox, xcCombo}},
        {"edit", {K::Edit, xcEdit}},
        {"radiobutton", {K::RadioButton, xcRadioButton}},
        {"panel", {K::TransparentBox, xcPanel}},
        {"trackbar", {K::TrackBar, xcButton}},
        {"button", {K::Button, xcButton}},
        {"datetimepicker", {K::DateTime, xcCombo}},
        {"mediaplayer", {K::MediaPlayer, xcButton}},
        {"bitbtn", {K::BitButton, xcButton}},
        {"pngbitbtn", {K::BitButton, xcButton}},
        {"menubtn", {K::MenuButton, xcButton}},
        {"speedbutton", {K::SpeedButton, xcSpeedButton}},
        {"progress", {K::Progress, xcProgress}},
        {"scrollbar", {K::ScrollBars, xcScrollbar}},
        {"singlescrollbar", {K::ScrollBars, xcScrollbar}},
        {"embedscrollbar", {K::EmbeddedScrollBars, xcScrollbar}},
        {"groupbox", {K::GroupBox, xcGroupBox}},
        {"advpagecontrol", {K::Tab, xcTab}},
        {"radiogroup", {K::RadioGroup, xcGroupBox}},
        {"checkgroup", {K::CheckGroup, xcPanel}},
        {"checkbox", {K::CheckBox, xcCheckBox}},
    };
    if (SameText(value, "container")) return K::Recurse;
    if (SameText(value, "tab")) {
        return c.skinHasTabs ? Gate(data, {K::Tab, xcTab}) : K::None;
    }
    for (const Entry& e : kEntries) {
        if (SameText(value, e.name)) return Gate(data, e.selection);
    }
    return K::None;  // "nil" and names the engine does not know
}

ControlSkinKind BuiltinKind(const ControlFacts& c, const TSkinData& data) {
    using K = ControlSkinKind;
    const std::string& cls = c.componentClass;
    const auto is = [&](const char* name) { return SameText(cls, name); };
    if (c.skinHasTabs) {
        if (is("TTabControl") || is("TPageControl") || is("TTabbedNotebook") || is("TTabSet")) {
            return Gate(data, {K::Tab, xcTab});
        }
        if (is("TTabSheet")) return Gate(data, {K::TabSheet, xcTab});
    }
    if (is("TCheckBox")) return Gate(data, {K::CheckBox, xcCheckBox});
    if (is("TUpDown") || is("TSpinButton")) return Gate(data, {K::UpDown, xcSpin});
    if (is("TMediaPlayer")) return Gate(data, {K::MediaPlayer, xcButton});
    if (is("TRadioGroup")) return Gate(data, {K::RadioGroup, xcRadioButton});
    if (is("TDBNavigator")) return Gate(data, {K::Box, xcPanel});
    if (is("TGroupBox")) return Gate(data, {K::GroupBox, xcPanel});
    if (is("TRadioButton")) return Gate(data, {K::RadioButton, xcRadioButton});
    if (is("TToolBar")) return Gate(data, {K::Toolbar, xcToolbar});
    if (is("TStatusBar")) return Gate(data, {K::StatusBar, xcStatusBar});
    if (is("TComboBox")) return Gate(data, {K::ComboBox, xcCombo});
    if (is("TBitBtn")) return Gate(data, {K::BitButton, xcBitBtn});
    if (is("TPanel")) return Gate(data, {K::Box, xcPanel});
    if (is("TListView")) return Gate(data, {K::ListView, xcScrollbar});
    if (is("TMemo") || is("TRichEdit")) return Gate(data, {K::ScrollBars, xcScrollbar});
    if (is("TListBox") || (c.style & (kHScroll | kVScroll))) {
        return Gate(data, {K::ScrollBars, xcScrollbar});
    }
    if (is("TButton")) return Gate(data, {K::Button, xcButton});
    if (is("TEdit")) return Gate(data, {K::Edit, xcEdit});
    if (is("TForm")) return K::Box;
    return K::None;
}

ControlSkinKind RawButtonKind(uint32_t style, const TSkinData& data) {
    using namespace buttonstyle;
    using K = ControlSkinKind;
    const uint32_t type = style & kTypeMask;
    if (type == kGroupBox || (style & (kIcon | kBitmap)) || type == kOwnerDraw) return K::None;
    if (type == kCheckBox || type == kAutoCheckBox || type == k3State || type == kAuto3State) {
        return Gate(data, {K::CheckBox, xcCheckBox});
    }
    if (type == kRadioButton || type == kAutoRadioButton) {
        return Gate(data, {K::RadioButton, xcRadioButton});
    }
    if (type > kDefPushButton) return K::None;  // styles this table does not know
    return Gate(data, {K::Button, xcButton});
}

// Children of windows the system made (message boxes, dialogs from resources).
ControlSkinKind RawKind(const ControlFacts& c, const TSkinData& data) {
    using K = ControlSkinKind;
    const std::string cls = LowerCase(c.windowClass);
    if (cls == "button") return RawButtonKind(c.style, data);
    if (cls == "combobox") return (c.style & 3) == 1 ? K::None : Gate(data, {K::ComboBox, xcCombo});
    if (cls == "comboboxex32") return K::Recurse;
    if (cls == "scrollbar") return (c.style & 0x10000) ? K::None : K::Sizer;
    if (cls == "#32770") return (c.style & 0x10000) ? K::None : K::DialogBox;
    if (cls == "tpanel" || cls == "ttntpanel" || cls == "ttntpanel.unicodeclass") return K::Box;
    if (cls == "tcheckbox") return Gate(data, {K::CheckBox, xcCheckBox});
    if (cls == "tcombobox") return Gate(data, {K::ComboBox, xcCombo});
    if (cls == "tbutton") return Gate(data, {K::Button, xcButton});
    if (cls == "tprogressbar") return Gate(data, {K::Progress, xcProgress});
    if (cls == "systabcontrol32") {
        return (c.style & 0x2000) || !c.skinHasTabs ? K::None : Gate(data, {K::Tab, xcTab});
    }
    if (cls == "edit") return Gate(data, {K::Edit, xcEdit});
    return K::None;
}

}  // namespace

bool Skin3rdKind(const TextList& skin3rd, std::string_view componentClass, std::string& kind) {
    if (componentClass.empty()) return false;
    const std::string prefix = LowerCase(componentClass) + "=";
    for (const std::string& line : skin3rd) {
        if (StartsWith(LowerCase(line), prefix)) {
            kind = Trim(std::string_view(line).substr(prefix.size()));
            return true;
        }
    }
    return false;
}

ControlSkinKind ChooseControlSkin(const ControlFacts& c, const TSkinData& data) {
    if (c.tag == data.DisableTag || c.answersSkinQuery) return ControlSkinKind::None;
    if (c.componentClass.empty()) return RawKind(c, data);
    std::string kind;
    if (Skin3rdKind(data.Skin3rd, c.componentClass, kind)) return KindOfSkin3rdValue(kind, c, data);
    return BuiltinKind(c, data);
}

std::string ComponentClassOf(std::string_view windowClass, uint32_t style, bool ownClass,
                             bool hasImages) {
    using namespace buttonstyle;
    if (ownClass) return "TPanel";
    const std::string cls = LowerCase(windowClass);
    if (cls == "button") {
        const uint32_t type = style & kTypeMask;
        if (type == kGroupBox) return "TGroupBox";
        if (type == kCheckBox || type == kAutoCheckBox || type == k3State || type == kAuto3State) {
            return "TCheckBox";
        }
        if (type == kRadioButton || type == kAutoRadioButton) return "TRadioButton";
        if (type > kDefPushButton) return "";
        return hasImages || (style & (kIcon | kBitmap)) ? "TBitBtn" : "TButton";
    }
    if (cls == "edit") return (style & 0x4) ? "TMemo" : "TEdit";  // ES_MULTILINE
    if (StartsWith(cls, "richedit")) return "TRichEdit";
    struct Pair {
        const char* window;
        const char* component;
    };
    static const Pair kPairs[] = {
        {"listbox", "TListBox"},
        {"combobox", "TComboBox"},
        {"syslistview32", "TListView"},
        {"systreeview32", "TTreeView"},
        {"msctls_statusbar32", "TStatusBar"},
        {"toolbarwindow32", "TToolBar"},
        {"systabcontrol32", "TPageControl"},
        {"msctls_progress32", "TProgressBar"},
        {"msctls_trackbar32", "TTrackBar"},
        {"msctls_updown32", "TUpDown"},
        {"scrollbar", "TScrollBar"},
        {"static", "TStaticText"},
        {"#32770", "TForm"},
    };
    for (const Pair& p : kPairs) {
        if (cls == p.window) return p.component;
    }
    return "";
}

const char* ControlSkinKindName(ControlSkinKind kind) {
    static const char* const kNames[] = {
        "None",
        "Recurse",
        "Button",
        "BitButton",
        "MenuButton",
        "SpeedButton",
        "CheckBox",
        "RadioButton",
        "RadioGroup",
        "CheckGroup",
        "GroupBox",
        "Box",
        "TransparentBox",
        "DialogBox",
        "Edit",
        "ScrollBars",
        "EmbeddedScrollBars",
        "ListView",
        "ComboBox",
        "DateTime",
        "StatusBar",
        "Toolbar",
        "Tab",
        "TabSheet",
        "Progress",
        "TrackBar",
        "UpDown",
        "MediaPlayer",
        "Sizer",
    };
    return kNames[static_cast<int>(kind)];
}

}  // namespace kestrone
