// TMSNPopUp: the component that shows small, borderless, always-on-top
// notification windows (TfrmMSNPopUp) next to the taskbar. Each ShowPopUp
// creates one window that grows out of the taskbar edge, stays TimeOut
// seconds, shrinks back and frees itself; open popups are stacked away from
// the taskbar. The component owns no windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/popup/popup_cascade.h"
#include "ui/popup/popup_options.h"
#include "ui/popup/win32/gdi_objects.h"
#include "ui/tray/component.h"

namespace kestrone::ui {

class TfrmMSNPopUp;

using TURLEvent = std::function<void(TObject* Sender, const std::string& URL)>;

// The taskbar edge and work area that a popup is placed against.
struct PopupDesktop {
    TaskbarEdge edge = teUnknown;
    PopupRect workArea;
};
// Reads them from the system (SHAppBarMessage and SPI_GETWORKAREA).
PopupDesktop ReadSystemDesktop();

class TMSNPopUp : public TObject {
public:
    explicit TMSNPopUp(HWND owner = nullptr);
    ~TMSNPopUp() override;  // open popups carry on and free themselves
    TMSNPopUp(const TMSNPopUp&) = delete;
    TMSNPopUp& operator=(const TMSNPopUp&) = delete;

    std::string Text = "text";  // ANSI, in the system's code page
    // When not empty, shown instead of Text: for texts the ANSI code page may
    // not carry, such as the Chinese caption of the plug-in popup.
    std::wstring WideText;
    std::string URL = kDefaultPopupURL;
    int IconLeft = 8;
    int IconTop = 8;
    int TimeOut = 10;  // seconds fully shown
    int Width = 148;
    int Height = 121;
    TColor GradientColor1 = 16764057;
    TColor GradientColor2 = clWhite;
    TMSNGradientOrientation GradientOrientation = mbVertical;
    TScrollSpeed ScrollSpeed = 9;
    TFontSpec Font;
    TFontSpec HoverFont{"MS Sans Serif", -11, clBlue, false, false, true};
    TFontSpec TitleFont{"MS Sans Serif", -11, clBlack, true, false, false};
    std::string Title = "title";
    TMSNPopupOptions Options = kDefaultPopupOptions;
    TMSNTextAlignment TextAlignment = taLeftJustify;
    TMSNImageDrawMethod BackgroundDrawMethod = dmActualSize;
    LPCSTR TextCursor = nullptr;  // a system cursor id such as IDC_HAND; null: the arrow
    int PopupMarge = 2;
    int PopupStartX = 16;
    int PopupStartY = 2;

    // Bitmaps are copied; the component owns and frees its copies.
    HBITMAP IconBitmap() const { return iconBitmap_.get(); }
    void SetIconBitmap(HBITMAP bitmap);
    HBITMAP BackgroundImage() const { return backgroundImage_.get(); }
    void SetBackgroundImage(HBITMAP bitmap);

    TNotifyEvent OnClick;
    TURLEvent OnURLClick;
    // Where popups go; the system's taskbar and work area unless replaced.
    std::function<PopupDesktop()> ReadDesktop = ReadSystemDesktop;

    // true when a popup was created, false when no further cascaded popup fits.
    bool ShowPopUp();

    int PopupCount() const { return cascade_.PopupCount; }
    int NextPopupPos() const { return cascade_.NextPopupPos; }
    int LastTaskbarEdge() const { return cascade_.LastTaskbarEdge; }
    // The popup windows still open, oldest first.
    const std::vector<TfrmMSNPopUp*>& OpenPopups() const { return popups_; }
    HWND Owner() const { return owner_; }

private:
    friend class TfrmMSNPopUp;
    void PopupClosed(TfrmMSNPopUp* popup);   // closed for good: counts down
    void PopupDestroyed(TfrmMSNPopUp* popup);

    HWND owner_;
    PopupCascade cascade_;
    std::vector<TfrmMSNPopUp*> popups_;
    BitmapHandle iconBitmap_;
    BitmapHandle backgroundImage_;
};

}  // namespace kestrone::ui
