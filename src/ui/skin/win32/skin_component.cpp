#include "ui/skin/win32/skin_component.h"

#include <string>

#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/skin_scrolling.h"

namespace kestrone::ui {

TSkinComponent::~TSkinComponent() {
    if (activated_) TSkinManage::Unregister(Data);
}

bool TSkinComponent::LoadFromResource(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!bytes || size == 0) return false;
    Data.SetPackedSkin(std::string(static_cast<const char*>(bytes), size));
    return Data.LoadSkin();
}

void TSkinComponent::Activate(HWND ownerForm) {
    if (Data.Designing || activated_) return;
    if (!ScrollBarInfoApi()) Data.SkinControls.Exclude(xcScrollbar);
    TSkinManage& manager = TSkinManage::Register(Data, ownerForm);
    activated_ = true;
    if (Data.SkinControls.Has(xcMainMenu))
        Data.SkinControls.Exclude(xcMenuItem);
    else
        Data.SkinControls.Exclude(xcSystemMenu);
    if (Data.SkinFormtype == TSkinFormType::sfMainform) {
        manager.InstallHook();
        if (Data.Active && Data.Loaded()) {
            // Windows activated from now on are skinned as they appear, so the
            // main window never shows without its skin first; the windows
            // already on screen follow with the first action.
            manager.SkinNewWindows();
            manager.Schedule(SkinAction::SkinAll, &Data);
        }
        return;
    }
    if (Data.Active && Data.Loaded()) manager.SkinFormNow(ownerForm);
}

}  // namespace kestrone::ui
