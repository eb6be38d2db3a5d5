// SkinData1: the main window's skin component. The skin is stored with the
// program (its default skin resource); once the window exists the component
// registers with the skin engine, which from then on skins every window of
// the program by itself.
#include "main_form.h"
#include "ui/skin/win32/skin_component.h"
#include "ui/skin/win32/skin_manage.h"

namespace kestrone::app {

namespace {
constexpr char kSkinResource[] = "KESTRONE_SKIN";
}  // namespace

void TMainForm::CreateSkinData() {
    SkinData1 = std::make_unique<ui::TSkinComponent>();
    TSkinData& data = SkinData1->Data;
    data.Active = true;
    data.SkinFormtype = TSkinFormType::sfMainform;
    data.DisableTag = 99;  // controls with tag 99 keep their own look
    data.SkinControls = {xcMainMenu,    xcPopupMenu,   xcControlbar, xcCombo,    xcCheckBox,
                         xcRadioButton, xcProgress,    xcScrollbar,  xcEdit,     xcButton,
                         xcBitBtn,      xcSpeedButton, xcPanel,      xcGroupBox, xcStatusBar,
                         xcTab,         xcSystemMenu};
    data.Options = {xoPreview, xoToolbarBK};
    SkinData1->LoadFromResource(instance_, kSkinResource);
    SkinData1->Activate(hwnd_);
}

bool TMainForm::SkinnedFrame() const {
    return ui::IsSkinnedWindow(hwnd_);
}

}  // namespace kestrone::app
