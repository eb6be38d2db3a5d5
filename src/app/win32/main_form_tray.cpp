// The main window's tray residence: the tray icon cltrycn1 with its menu pm1,
// the notification popup msnp1, and Timer1, which takes the start-up balloon
// away again.
#include "app/main_window_rules.h"
#include "control_ids.h"
#include "core/definitions.h"
#include "main_form.h"
#include "platform/shell_exec.h"
#include "ui/popup/win32/msn_popup.h"
#include "ui/tray/win32/cool_tray_icon.h"

namespace kestrone::app {

void TMainForm::CreateTrayComponents() {
    pm1_ = CreatePopupMenu();
    n18_ = CreatePopupMenu();
    auto item = [this](UINT flags, UINT_PTR id, const char* text) {
        AppendMenuW(pm1_, flags, id, LocalizedWide(text).c_str());
    };
    item(MF_STRING, kN2, "Display main window");
    item(MF_STRING, kU1, "Unlock USB disk");
    item(MF_POPUP, reinterpret_cast<UINT_PTR>(n18_), "Open drive safely");
    AppendMenuA(pm1_, MF_SEPARATOR, 0, nullptr);
    item(MF_STRING, kN13, "Update");
    item(MF_STRING, kN14, "Website");
    AppendMenuA(pm1_, MF_SEPARATOR, 0, nullptr);
    item(MF_STRING, kN10, "About");
    item(MF_STRING, kN11, "Quit");

    cltrycn1_ = std::make_unique<ui::TCoolTrayIcon>(hwnd_);
    cltrycn1_->SetIcon(smallIcon_);
    cltrycn1_->SetHint(kTrayProtectionHint);
    cltrycn1_->SetPopupMenu(pm1_);
    cltrycn1_->MinimizeToTray = true;
    cltrycn1_->SetCycleInterval(0);
    cltrycn1_->OnDblClick = [this](ui::TObject*) { ShowMainWindow(); };
    cltrycn1_->OnMinimizeToTray = [this](ui::TObject*) { ShowWindow(hwnd_, SW_HIDE); };
    cltrycn1_->OnPopupMenu = [this](ui::TObject*) { RebuildOpenDriveMenu(); };  // pm1Popup
    cltrycn1_->OnBalloonHintClick = [this](ui::TObject*) {
        if (staleBalloonShown_) RunUpdater();
    };
    cltrycn1_->OnBalloonHintHide = cltrycn1_->OnBalloonHintTimeout = [this](ui::TObject*) {
        staleBalloonShown_ = false;
    };
    cltrycn1_->SetIconVisible(true);

    msnp1_ = std::make_unique<ui::TMSNPopUp>(hwnd_);
    msnp1_->Title = " ";
    msnp1_->TimeOut = 3;
    msnp1_->Width = 190;
    msnp1_->Height = 140;
    msnp1_->ScrollSpeed = 9;
    msnp1_->GradientColor1 = 16764057;
    msnp1_->GradientColor2 = ui::clWhite;
    msnp1_->GradientOrientation = ui::mbVertical;
    msnp1_->Options = ui::msnCascadePopups | ui::msnAllowScroll | ui::msnAllowHyperlink;
    msnp1_->PopupMarge = 2;
    msnp1_->PopupStartX = 16;
    msnp1_->PopupStartY = 2;
    msnp1_->IconLeft = msnp1_->IconTop = 8;
    msnp1_->OnClick = [this](ui::TObject*) { OnPopupClick(); };
}

// pm1Popup: "Open drive safely" lists the fixed drives, then the removable ones.
void TMainForm::RebuildOpenDriveMenu() {
    while (GetMenuItemCount(n18_) > 0) DeleteMenu(n18_, 0, MF_BYPOSITION);
    openDriveRoots_ = DriveRoots(GetFixedDriveLetters() + GetRemovableDriveLetters());
    for (size_t index = 0; index < openDriveRoots_.size() && kOpenDriveFirst + index <= kOpenDriveLast;
         ++index)
        AppendMenuA(n18_, MF_STRING, kOpenDriveFirst + index, openDriveRoots_[index].c_str());
}

void TMainForm::ShowPopUpText(const std::string& ansiText, const std::wstring& wideText) {
    // A quit that came in while a question of an arrival was open has taken
    // the popup away with the window.
    if (!msnp1_) return;
    msnp1_->Text = ansiText;
    msnp1_->WideText = wideText;
    msnp1_->ShowPopUp();  // the popup window carries its text as its name too
}

// msnp1Click: a drive popup opens the drive it names.
void TMainForm::OnPopupClick() {
    std::string root = PopupClickTarget(msnp1_->Text);
    if (!root.empty())
        platform::ShellExecuteFile(reinterpret_cast<uintptr_t>(hwnd_), "Open", root, "", "",
                                   platform::kShowNormal);
}

void TMainForm::StartInTray() {
    cltrycn1_->ShowBalloonHint("Prompt", "Kestrone is activated", 1, 10);
    SetTimer(hwnd_, kTimer1, kTimer1Interval, nullptr);
}

void TMainForm::Timer1Timer() {
    cltrycn1_->HideBalloonHint();
    staleBalloonShown_ = false;
    KillTimer(hwnd_, kTimer1);
}

}  // namespace kestrone::app
