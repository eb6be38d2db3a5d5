// TSkinControl: the base of the control skins. It puts its own procedure in
// front of the control's and runs every message through a pipeline: message
// 0x3506 switches the skin on or off; while on, a pre-filter decides whether
// the control's own procedure runs, and a post-handler runs after it.
// Painting is composed off-screen in the control's size and copied once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin/control_choice.h"
#include "ui/skin/skin_data.h"
#include "ui/skin/win32/subclass_slot.h"

namespace kestrone::ui {

class TWinSkinForm;

class TSkinControl {
  public:
    TSkinControl(HWND control, TWinSkinForm& form);
    virtual ~TSkinControl();
    TSkinControl(const TSkinControl&) = delete;
    TSkinControl& operator=(const TSkinControl&) = delete;

    // Replaces the control's procedure and, unless the whole window is about
    // to be repainted anyway, repaints it; false when that failed.
    bool Attach(bool repaint = true);
    // Gives the control its own procedure and look back.
    void Detach();

    virtual ControlSkinKind Kind() const = 0;
    HWND Handle() const { return hwnd_; }
    bool Busy() const { return depth_ > 0; }
    bool Dead() const { return dead_; }
    bool SkinningOn() const { return on_; }
    bool Hover() const { return (state_ & kHoverBit) != 0; }
    bool Pressed() const { return (state_ & kPressedBit) != 0; }

  protected:
    static constexpr uint8_t kHoverBit = 1;
    static constexpr uint8_t kPressedBit = 2;

    // True when the message was answered here and the control's own
    // procedure must not run.
    virtual bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Draws the whole control into `dc` (an off-screen bitmap of its size).
    virtual void Paint(HDC dc, const RECT& client) { (void)dc, (void)client; }
    // Prepares the control when it is attached (colours, styles).
    virtual void OnAttached() {}
    virtual void OnDetached() {}

    LRESULT Previous(UINT message, WPARAM wParam, LPARAM lParam);
    // Asks for a repaint, or paints at once.
    void Invalidate();
    void RepaintNow();
    // WM_PAINT answered by the skin: composed off-screen, copied in one go.
    void PaintMessage();
    void PaintComposed(HDC target);
    // Sets or clears state bits; true when they changed.
    bool SetState(uint8_t bits, bool on);
    void TrackLeave();
    bool CursorOver() const;

    const TSkinContent& Skin() const;
    TSkinData& Data() const;
    TWinSkinForm& Form() const { return form_; }
    COLORREF FaceColour() const;
    HBRUSH FaceBrush() const;
    HFONT Font() const;
    bool Disabled() const;
    bool Focused() const { return GetFocus() == hwnd_; }

    HWND hwnd_;
    TWinSkinForm& form_;
    uint8_t state_ = 0;

  private:
    static LRESULT HandleMessage(void* self, HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    SubclassSlot* slot_ = nullptr;
    bool on_ = true;
    bool dead_ = false;
    bool tracking_ = false;
    int depth_ = 0;
};

}  // namespace kestrone::ui
