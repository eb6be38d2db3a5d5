#include "ui/popup/win32/msn_popup.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/popup/win32/msn_popup_window.h"

namespace kestrone::ui {
namespace {

HBITMAP CopyBitmap(HBITMAP bitmap) {
    if (!bitmap) return nullptr;
    return static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

PopupDesktop ReadSystemDesktop() {
    PopupDesktop desktop;
    APPBARDATA bar{};
    bar.cbSize = sizeof(bar);  // 36 bytes
    const bool barRead = SHAppBarMessage(ABM_GETTASKBARPOS, &bar) != 0;
    desktop.edge = ClassifyTaskbarEdge(
        barRead, {bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom});
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    desktop.workArea = {work.left, work.top, work.right, work.bottom};
    return desktop;
}

TMSNPopUp::TMSNPopUp(HWND owner) : owner_(owner) {}

TMSNPopUp::~TMSNPopUp() {
    for (TfrmMSNPopUp* popup : popups_) popup->Detach();
}

void TMSNPopUp::SetIconBitmap(HBITMAP bitmap) { iconBitmap_.reset(CopyBitmap(bitmap)); }

void TMSNPopUp::SetBackgroundImage(HBITMAP bitmap) {
    backgroundImage_.reset(CopyBitmap(bitmap));
}

bool TMSNPopUp::ShowPopUp() {
    const PopupDesktop desktop = ReadDesktop ? ReadDesktop() : ReadSystemDesktop();
    const PopupPlacement placement{Width, Height, PopupStartX, PopupStartY};
    auto admission = cascade_.Admit(desktop.edge, desktop.workArea, placement,
                                    (Options & msnCascadePopups) != 0, PopupMarge);
    if (!admission) return false;
    auto* popup = new TfrmMSNPopUp(*this, *admission, desktop);  // frees itself
    popups_.push_back(popup);
    popup->Show();
    return true;
}

void TMSNPopUp::PopupClosed(TfrmMSNPopUp*) { cascade_.Closed(); }

void TMSNPopUp::PopupDestroyed(TfrmMSNPopUp* popup) {
    popups_.erase(std::remove(popups_.begin(), popups_.end(), popup), popups_.end());
}

}  // namespace kestrone::ui
