// TSkinData: the component that holds a packed skin, loads it into skin
// objects and carries the settings the skin manager reads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/text.h"
#include "ui/skin/skin_objects.h"

namespace kestrone {

enum TSkinControlType : uint32_t {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
    xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin,
    xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport,
};
enum TSkinOption : uint32_t {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect,
    xoToolbarBK, xoMDIChildBorder, xoMenuBG, xoFormScrollbar,
};
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A set of enumeration values, one bit each.
template <typename E>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }
    constexpr bool Has(E v) const { return (bits_ >> static_cast<uint32_t>(v)) & 1; }
    constexpr void Include(E v) { bits_ |= uint32_t{1} << static_cast<uint32_t>(v); }
    constexpr void Exclude(E v) { bits_ &= ~(uint32_t{1} << static_cast<uint32_t>(v)); }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const EnumSet&) const = default;

private:
    uint32_t bits_ = 0;
};
using TSkinControlSet = EnumSet<TSkinControlType>;
using TSkinOptionSet = EnumSet<TSkinOption>;

// A skin file larger than this is not read (a packed skin is far smaller
// than the largest unpacked skin accepted).
inline constexpr uint64_t kMaxPackedSkinFile = 64u * 1024 * 1024;

// The built-in class-name mappings ("TComboboxex=combobox", ...).
const TextList& DefaultSkin3rd();

class TSkinData {
public:
    TSkinData();

    // Streamed properties.
    bool Active = false;
    int DisableTag = 99;
    TSkinControlSet SkinControls;
    TSkinOptionSet Options;
    TextList Skin3rd;
    TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
    bool MenuUpdate = true;
    bool MenuMerge = false;
    std::function<void(TSkinData&)> OnSkinChanged;
    // May refuse a window by its class name (DoSkin false).
    std::function<void(TSkinData&, const std::string& className, bool& doSkin)> OnFormSkin;
    // Raised around attaching the skin to one of the program's own windows.
    std::function<void(TSkinData&, uintptr_t window, const std::string& className)> OnBeforeSkinForm;
    std::function<void(TSkinData&, uintptr_t window, const std::string& className)> OnAfterSkinForm;
    // May take a control over: true means the handler skinned it (or keeps
    // it as it is) and the engine leaves it alone.
    std::function<bool(TSkinData&, uintptr_t form, uintptr_t control, const std::string& controlClass)>
        OnSkinControl;

    // Told after every successful load; the skin manager refreshes the
    // windows that use this skin.
    std::function<void(TSkinData&)> OnSkinLoaded;
    // Told when Active changes through SetActive; the skin manager schedules
    // skinning or unskinning.
    std::function<void(TSkinData&)> OnActiveChanged;

    // Switches the skin on or off. Nothing more happens while the form is
    // designed or its description is being read.
    void SetActive(bool value);

    // True while the form is being designed: nothing is loaded then.
    bool Designing = false;
    // True while the form's description is being read.
    bool Loading = false;

    const std::string& SkinFile() const { return FSkinFile; }
    // Marks the skin not loaded; when the file exists, takes its bytes as the
    // packed skin and loads them.
    void SetSkinFile(const std::string& path);
    std::string SkinStore() const { return FPacked.empty() ? "(none)" : "(Good)"; }
    std::string Version() const { return "1.0"; }

    // The stored form of the packed skin: a 4-byte count and the bytes. A
    // count of zero or less stores no skin; a count beyond the data is refused.
    bool ReadSkinStream(std::string_view stored);
    std::string WriteSkinStream() const;

    void SetPackedSkin(std::string packed) { FPacked = std::move(packed); }
    const std::string& PackedSkin() const { return FPacked; }

    // Interprets the packed skin. On failure the skin stays not loaded and the
    // objects of an earlier load stay as they were.
    bool LoadSkin();
    bool Loaded() const { return FLoaded; }
    // The objects of the last successful load (null before the first).
    const TSkinContent* Content() const { return FContent.get(); }

private:
    std::string FPacked;
    std::string FSkinFile;
    bool FLoaded = false;
    std::unique_ptr<TSkinContent> FContent;
};

}  // namespace kestrone
