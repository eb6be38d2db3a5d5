// Controls the skin paints whole from their own state: status bars, tool
// bars, progress bars, combo boxes and tab controls.
#pragma once

#include "ui/skin/win32/skin_control.h"

namespace kestrone::ui {

// Shared by the controls below: WM_PAINT and WM_ERASEBKGND are the skin's.
class TSkinPaintedControl : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class TSkinStatusBar : public TSkinPaintedControl {
  public:
    using TSkinPaintedControl::TSkinPaintedControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::StatusBar; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
};

class TSkinToolbar : public TSkinPaintedControl {
  public:
    using TSkinPaintedControl::TSkinPaintedControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Toolbar; }

  protected:
    void OnAttached() override;
    void Paint(HDC dc, const RECT& client) override;
};

class TSkinProgress : public TSkinPaintedControl {
  public:
    using TSkinPaintedControl::TSkinPaintedControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Progress; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
};

class TSkinComBox : public TSkinPaintedControl {
  public:
    using TSkinPaintedControl::TSkinPaintedControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::ComboBox; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
};

class TSkinTab : public TSkinPaintedControl {
  public:
    using TSkinPaintedControl::TSkinPaintedControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Tab; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;

  private:
    int hot_ = -1;
};

}  // namespace kestrone::ui
