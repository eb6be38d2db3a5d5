// Handing a skinned window's controls to the control skins: each child is
// looked at once when the window starts running (and children made later
// when they appear), containers are walked into.
#include <windows.h>

#include <commctrl.h>

#include "ui/skin/win32/skin_bars.h"
#include "ui/skin/win32/skin_boxes.h"
#include "ui/skin/win32/skin_buttons.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/skin_scrolling.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A window class the program registered itself (not a class of the system
// or of the common controls, which are global).
bool OwnClass(HWND window) {
    return reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)) ==
               GetModuleHandleA(nullptr) &&
           !(GetClassLongA(window, GCL_STYLE) & CS_GLOBALCLASS);
}

bool HasImages(HWND button) {
    BUTTON_IMAGELIST images{};
    return SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) &&
           images.himl;
}

std::unique_ptr<TSkinControl> MakeControlSkin(ControlSkinKind kind, HWND control,
                                              TWinSkinForm& form) {
    using K = ControlSkinKind;
    const TSkinContent& skin = *form.Skin();
    switch (kind) {
        case K::Button:
        case K::SpeedButton:
        case K::MenuButton:
            if (skin.Button.Map.Empty()) return nullptr;
            return std::make_unique<TSkinButton>(control, form);
        case K::BitButton:
            if (skin.Button.Map.Empty()) return nullptr;
            return std::make_unique<TSkinBitButton>(control, form);
        case K::CheckBox:
            if (skin.Button.CheckMap.Empty()) return nullptr;
            return std::make_unique<TSkinCheckBox>(control, form);
        case K::RadioButton:
            if (skin.Button.RadioMap.Empty()) return nullptr;
            return std::make_unique<TSkinRadioButton>(control, form);
        case K::GroupBox:
        case K::RadioGroup:
        case K::CheckGroup:
            return std::make_unique<TSkinGroupBox>(control, form);
        case K::Box:
        case K::TransparentBox:
        case K::DialogBox:
        case K::TabSheet:
            return std::make_unique<TSkinBox>(control, form, kind);
        case K::Edit:
            return std::make_unique<TSkinEdit>(control, form);
        case K::ScrollBars:
        case K::ListView:
        case K::EmbeddedScrollBars:
            return std::make_unique<TSkinScrollbar>(control, form, kind);
        case K::ComboBox:
            return std::make_unique<TSkinComBox>(control, form);
        case K::StatusBar:
            return std::make_unique<TSkinStatusBar>(control, form);
        case K::Toolbar:
            return std::make_unique<TSkinToolbar>(control, form);
        case K::Tab:
            return std::make_unique<TSkinTab>(control, form);
        case K::Progress:
            return std::make_unique<TSkinProgress>(control, form);
        case K::Sizer:
            return std::make_unique<TSkinSizer>(control, form);
        default:
            return nullptr;  // kinds the program's windows do not use keep their look
    }
}

bool IsContainer(ControlSkinKind kind, const std::string& component,
                 const std::string& windowClass) {
    using K = ControlSkinKind;
    switch (kind) {
        case K::Recurse:
        case K::Box:
        case K::TransparentBox:
        case K::DialogBox:
        case K::TabSheet:
        case K::RadioGroup:
        case K::CheckGroup:
            return true;
        default:
            return component == "TPanel" || component == "TForm" || component == "TTabSheet" ||
                   windowClass == "#32770";
    }
}

}  // namespace

void TWinSkinForm::AttachControls(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        AttachControl(child);
}

void TWinSkinForm::AttachControl(HWND control) {
    const uintptr_t key = reinterpret_cast<uintptr_t>(control);
    if (controls_.Find(key) || !Skin()) return;
    ControlFacts facts;
    facts.windowClass = ClassOf(control);
    facts.style = static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE));
    facts.tag = SkinTagOf(control);
    facts.answersSkinQuery = SendMessageA(control, skinmsg::kQuery, 0, 0) == 1;
    const TDataSkinObject* tabs = Skin()->Find("Tabs");
    facts.skinHasTabs = tabs && !tabs->Map.Empty();
    // Controls of the program's own windows stand for components; children
    // of windows the system made are known by their window class only.
    const bool programWindow = OwnClass(hwnd_);
    if (programWindow) {
        const bool images =
            lstrcmpiA(facts.windowClass.c_str(), "Button") == 0 && HasImages(control);
        facts.componentClass =
            ComponentClassOf(facts.windowClass, facts.style, OwnClass(control), images);
    }
    if (data_.OnSkinControl &&
        data_.OnSkinControl(
            data_, reinterpret_cast<uintptr_t>(hwnd_), key,
            facts.componentClass.empty() ? facts.windowClass : facts.componentClass)) {
        return;
    }
    const ControlSkinKind kind = ChooseControlSkin(facts, data_);
    if (std::unique_ptr<TSkinControl> skin = MakeControlSkin(kind, control, *this)) {
        TSkinControl* attached = controls_.Add(key, std::move(skin));
        // While the window starts, one repaint of everything follows the walk.
        if (!attached->Attach(life_ == FormLife::Running)) controls_.Retire(key);
    }
    const bool groupWithDisableTag =
        facts.tag == data_.DisableTag &&
        (facts.componentClass == "TRadioGroup" || facts.componentClass == "TCheckGroup");
    if (!groupWithDisableTag && IsContainer(kind, facts.componentClass, facts.windowClass))
        AttachControls(control);
}

void TWinSkinForm::AttachNewChild(HWND child) {
    if (life_ != FormLife::Running || !IsWindow(child) || GetAncestor(child, GA_ROOT) != hwnd_)
        return;
    HWND parent = GetParent(child);
    // Only children of the window itself or of a container the skin walked into.
    if (parent != hwnd_) {
        TSkinControl* container = FindControl(parent);
        if (!container) return;
        const ControlSkinKind kind = container->Kind();
        if (!IsContainer(kind, "", "")) return;
    }
    AttachControl(child);
}

TSkinControl* TWinSkinForm::FindControl(HWND control) const {
    return controls_.Find(reinterpret_cast<uintptr_t>(control));
}

void TWinSkinForm::ControlDestroyed(HWND control) {
    controls_.Retire(reinterpret_cast<uintptr_t>(control));
}

void TWinSkinForm::PurgeControls() {
    controls_.Purge([](const TSkinControl& c) { return !c.Busy(); });
}

void TWinSkinForm::DetachControls() {
    for (uintptr_t key : controls_.Keys()) {
        if (TSkinControl* control = controls_.Find(key)) control->Detach();
        controls_.Retire(key);
    }
    PurgeControls();
}

}  // namespace kestrone::ui
