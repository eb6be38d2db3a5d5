// TfrmMSNPopUp: one sliding notification window. It paints its background
// once (gradient or background image, icon, border, the strip at its foot),
// then only moves and resizes while it grows, stays and shrinks. A click
// closes it; closed for good, it frees itself.
#pragma once

#include <windows.h>

#include <string>

#include "ui/popup/popup_cascade.h"
#include "ui/popup/popup_options.h"
#include "ui/popup/win32/gdi_objects.h"
#include "ui/popup/win32/msn_popup.h"
#include "ui/tray/component.h"
#include "ui/tray/tray_rules.h"

namespace kestrone::ui {

class TfrmMSNPopUp : public TObject {
public:
    // Creates the hidden window with copies of the component's settings.
    TfrmMSNPopUp(TMSNPopUp& component, const PopupAdmission& admission,
                 const PopupDesktop& desktop);
    TfrmMSNPopUp(const TfrmMSNPopUp&) = delete;
    TfrmMSNPopUp& operator=(const TfrmMSNPopUp&) = delete;

    // Places, paints and shows the window and starts its timers.
    void Show();
    // Closes the window: freed when FreeOnClose, otherwise only hidden.
    void Close();

    HWND Handle() const { return window_; }
    int PopupPos = 0;
    TaskbarEdge TaskbarEdge = teUnknown;
    bool FreeOnClose = false;
    // The place and size the popup grows to.
    const PopupBounds& FinalBounds() const { return final_; }
    const std::wstring& Text() const { return text_; }
    bool Hovering() const { return hover_; }

    // Handlers, named after the parts of the window they serve.
    void lblTextMouseEnter();
    void lblTextMouseLeave();
    void lblTextClick();
    void lblTextMouseUp(TMouseButton button);
    void lblTitleMouseUp();
    void imgIconMouseUp();
    void imgGradientMouseUp();
    void tmrScrollTimer();
    void tmrExitTimer();
    void tmrscrollDownTimer();

    // Called by the component when it goes away before this window.
    void Detach() { component_ = nullptr; }

private:
    ~TfrmMSNPopUp() override;  // only through WM_NCDESTROY

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateWindowHandle();
    void CreateFonts(const TMSNPopUp& component);
    void PaintSurface();
    void PaintBackground(HDC dc, int width, int height);
    void PaintStrip(HDC dc);
    PopupBounds IconBounds() const;
    void Paint(HDC target);
    void LayoutText();
    void MouseMoved(POINT point);
    void MouseReleased(POINT point, TMouseButton button);
    void RaiseComponentClick();
    void MoveTo(const PopupBounds& bounds);
    void StartTimer(UINT_PTR id, int milliseconds);
    void StopTimer(UINT_PTR id);

    TMSNPopUp* component_;
    HWND window_ = nullptr;
    PopupRect workArea_;
    PopupBounds final_;
    PopupBounds bounds_;
    bool placed_ = false;
    bool closing_ = false;
    bool hover_ = false;
    bool trackingLeave_ = false;
    bool pressedOnText_ = false;
    // Copies of the settings.
    int width_, height_;
    std::wstring text_, title_;
    std::string url_;
    int timeOut_, speed_, iconLeft_, iconTop_;
    TMSNPopupOptions options_;
    TMSNTextAlignment alignment_;
    LPCSTR textCursor_;
    TColor color1_, color2_;
    TMSNGradientOrientation orientation_;
    TMSNImageDrawMethod drawMethod_;
    BitmapHandle iconBitmap_;
    FontHandle font_, hoverFont_, titleFont_;
    COLORREF fontColor_ = 0, hoverColor_ = 0, titleColor_ = 0;
    BitmapHandle surface_;  // the background, painted once
    PopupBounds textBounds_, titleBounds_;
};

}  // namespace kestrone::ui
