// The preview sheet: a picture of every object and state of a loaded skin,
// with mock windows that show the skin in use. Text is collected separately
// and drawn afterwards by ImageMagick (see render-sheet.sh), so the sheet
// shows real type rather than a pixel font.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "ui/skin/skin_objects.h"

namespace kestrone::skinart {

struct SheetText {
    int x = 0, y = 0;  // left end of the baseline
    int size = 11;
    Rgb colour;
    bool bold = false;
    std::string text;
};

class Sheet {
public:
    Sheet(int width, int height, Rgb background) : canvas(width, height, background) {}

    Canvas canvas;
    std::vector<SheetText> texts;

    // Text with its top-left corner at (x, y).
    void Text(int x, int y, const std::string& text, Rgb colour, int size = 11, bool bold = false);
    // Text centred in a box.
    void CentredText(int x, int y, int w, int h, const std::string& text, Rgb colour,
                     int size = 11, bool bold = false);
    static int TextWidth(const std::string& text, int size, bool bold = false);

    // One frame of an object drawn nine-slice into a rectangle, with the
    // object's own margins, tiling and transparency.
    void Nine(const TDataSkinObject& o, int frame, int x, int y, int w, int h, bool stacked = false);
    void Nine(const SkinBitmap& map, int frames, int frame, int x, int y, int w, int h,
              bool transparent);
    // One frame at its own size.
    void Frame(const SkinBitmap& map, int frames, int frame, int x, int y, bool transparent,
               bool stacked = false);

    // The texts as an ImageMagick draw script.
    std::string DrawScript(const std::string& font, const std::string& boldFont) const;
};

// The mock windows in use (active main window, inactive dialog, open menu).
// Returns the height used.
int DrawMockWindows(Sheet& sheet, const TSkinContent& skin, int top);
// Every object with all its frames, enlarged; returns the height used.
int DrawObjectTable(Sheet& sheet, const TSkinContent& skin, int top);

}  // namespace kestrone::skinart
