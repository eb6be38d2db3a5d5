// Containers and frames: panels and pages (TSkinBox: the skin's face behind
// their children), group boxes drawn from GroupBoxEdge, and the size grip.
#pragma once

#include "ui/skin/win32/skin_control.h"

namespace kestrone::ui {

class TSkinBox : public TSkinControl {
  public:
    TSkinBox(HWND control, TWinSkinForm& form, ControlSkinKind kind)
        : TSkinControl(control, form), kind_(kind) {}
    ControlSkinKind Kind() const override { return kind_; }

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    ControlSkinKind kind_;
};

class TSkinGroupBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::GroupBox; }

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;

  private:
    void PaintWithoutEdge(HDC dc, const RECT& client);
    void PaintClipped(HDC target);
};

class TSkinSizer : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Sizer; }

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
};

}  // namespace kestrone::ui
