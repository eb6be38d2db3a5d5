// Push buttons (with or without a picture), check boxes and radio buttons
// drawn from the skin's Buttons object.
#pragma once

#include "ui/skin/win32/skin_control.h"

namespace kestrone::ui {

class TSkinButton : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Button; }

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
    // The caption area after a picture (bitmap buttons) took its place.
    virtual RECT PaintGlyph(HDC dc, const RECT& area) {
        (void)dc;
        return area;
    }
    void Click();
};

class TSkinBitButton : public TSkinButton {
  public:
    using TSkinButton::TSkinButton;
    ControlSkinKind Kind() const override { return ControlSkinKind::BitButton; }

  protected:
    RECT PaintGlyph(HDC dc, const RECT& area) override;
};

// Check boxes and radio buttons share their painting: the glyph at one side,
// the caption beside it.
class TSkinGlyphButton : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

  protected:
    bool PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;
    virtual const SkinBitmap& Glyphs() const = 0;
    virtual int GlyphFrames() const = 0;
    virtual int GlyphFrame() const = 0;
    bool Transparent() const;
};

class TSkinCheckBox : public TSkinGlyphButton {
  public:
    using TSkinGlyphButton::TSkinGlyphButton;
    ControlSkinKind Kind() const override { return ControlSkinKind::CheckBox; }

  protected:
    const SkinBitmap& Glyphs() const override;
    int GlyphFrames() const override;
    int GlyphFrame() const override;
};

class TSkinRadioButton : public TSkinGlyphButton {
  public:
    using TSkinGlyphButton::TSkinGlyphButton;
    ControlSkinKind Kind() const override { return ControlSkinKind::RadioButton; }

  protected:
    const SkinBitmap& Glyphs() const override;
    int GlyphFrames() const override;
    int GlyphFrame() const override;
};

}  // namespace kestrone::ui
