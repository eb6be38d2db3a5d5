// TWinSkinForm: one skinned window. It puts its own procedure in front of the
// window's, takes over the non-client area (borders, title bar with caption
// and title buttons, menu bar), paints it from the skin, and hands the
// window's controls to the control skins. Detaching gives the window its own
// procedure, menu and size back.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/popup/win32/gdi_objects.h"
#include "ui/skin/frame_geometry.h"
#include "ui/skin/skin_data.h"
#include "ui/skin/skinned_list.h"
#include "ui/skin/title_bar.h"
#include "ui/skin/win32/subclass_slot.h"

namespace kestrone::ui {

class TSkinManage;
class TSkinControl;
class TWinSkinMenu;
class OffscreenCanvas;

// A title button of a skinned window, as it stands now.
struct TWinSysButton {
    const TDataSkinSysButton* data = nullptr;
    RECT rect{};  // window coordinates
    bool shown = false;
    bool enabled = false;
    bool hover = false;
    bool pressed = false;
};

enum class FormLife {
    Attached = 0,
    Running = 1,
    Refreshing = 3,
    Detaching = 4,
    Resizing = 5,
    Dead = 6
};

class TWinSkinForm {
  public:
    TWinSkinForm(HWND window, TSkinData& data, TSkinManage& manager);
    ~TWinSkinForm();
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    HWND Handle() const { return hwnd_; }
    TSkinData& Data() const { return data_; }
    const std::string& ClassName() const { return className_; }
    FormLife Life() const { return life_; }
    FormRole Role() const { return role_; }
    FrameKind Kind() const { return kind_; }
    WindowState State() const { return state_; }
    bool IsActive() const { return active_; }
    const BorderSizes& Borders() const { return sizes_; }
    const std::vector<TWinSysButton>& Buttons() const { return buttons_; }
    bool HasMenuBar() const { return menuBar_ != nullptr; }
    const TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
    // Whether one of its own calls is running (it must not be freed then).
    bool Busy() const { return depth_ > 0; }
    bool SkinsFrame() const;

    // Unskins the window: its own procedure, menu, colour and size come back.
    void Detach(bool restoreSize);
    // The skin was loaded again: borders and title buttons are read anew, the
    // window is laid out and painted.
    void Refresh();
    // Paints the skinned frame now; false when it could not (the system's
    // own frame is drawn instead).
    bool PaintFrame();

    // The control skins of the window.
    size_t ControlCount() const { return controls_.Size(); }
    TSkinControl* FindControl(HWND control) const;
    void ControlDestroyed(HWND control);
    void PurgeControls();
    // A child window created after the window started running.
    void AttachNewChild(HWND child);

    // Fault injection for tests: frame painting fails as if GDI had refused.
    static void SimulatePaintFailure(bool fail);

    // What the title bar shows (the caption measured with the caption font).
    Rect CaptionPlace(HDC dc) const;
    std::wstring CaptionText() const;

    const TSkinContent* Skin() const { return data_.Content(); }
    HBRUSH FaceBrush() const { return faceBrush_.get(); }

  private:
    static LRESULT HandleMessage(void* self, HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool AnswerOwnMessage(UINT message, WPARAM wParam, LRESULT& result);
    LRESULT DispatchFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Previous(UINT message, WPARAM wParam, LPARAM lParam);

    // Layout (win_skin_form.cpp).
    void ReadStyles();
    void ComputeSizes();
    void ComputeButtons();
    void Start();
    void LayOut();
    void WidenForCaption();
    void ResizeKeepingClient(Size client);

    // Non-client messages (win_skin_form_proc.cpp).
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcMouseMove(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    void OnHoverTimer();
    int ButtonAt(POINT windowPoint) const;
    void RunTitleCommand(const TWinSysButton& button, POINT screenPoint);
    POINT ToWindow(LPARAM screenPoint) const;
    void UpdateState();

    // Painting (win_skin_form_paint.cpp).
    bool PaintFrameTo(HDC windowDc);
    void PaintTitle(HDC dc, int width, int frame);
    void PaintCaption(HDC dc, int frame, const Rect& place);
    void PaintButtons(HDC dc, const Rect& caption);
    void PaintIcon(HDC dc, const RECT& where);
    void PaintSystemFrame();
    void EraseBackground(HDC dc);

    // Controls (win_skin_form_controls.cpp).
    void AttachControls(HWND parent);
    void AttachControl(HWND control);
    void DetachControls();

    HWND hwnd_;
    TSkinData& data_;
    TSkinManage& manager_;
    std::string className_;
    SubclassSlot* slot_ = nullptr;
    FormLife life_ = FormLife::Attached;
    FormRole role_ = FormRole::Plain;
    FrameKind kind_ = FrameKind::Caption;
    WindowState state_ = WindowState::Normal;
    bool active_ = false;
    DWORD style_ = 0, exStyle_ = 0;
    BorderSizes sizes_;
    std::vector<TWinSysButton> buttons_;
    std::unique_ptr<TWinSkinMenu> menuBar_;
    HMENU ownMenu_ = nullptr;
    Size originalClient_;
    int widenedBy_ = 0, childShift_ = 0;
    int depth_ = 0;
    int pressedButton_ = -1;
    bool hoverTimer_ = false;
    SkinnedList<TSkinControl> controls_;
    BrushHandle faceBrush_;
    std::unique_ptr<OffscreenCanvas> canvas_;
};

// Private timer of a skinned window: the hover check of title buttons.
inline constexpr UINT_PTR kHoverTimerId = 0x3550;
// Posted to a running skinned window for a child created after it started.
inline constexpr UINT kSkinNewChild = 0x3530;

}  // namespace kestrone::ui
