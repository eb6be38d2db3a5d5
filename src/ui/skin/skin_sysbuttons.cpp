// The title-bar buttons: every BUTTON* section that describes one, then the
// three buttons a maximised child window shows in the menu bar.
#include "core/text.h"
#include "ui/skin/skin_loader.h"

namespace kestrone {
namespace {

bool IsTitleButtonSection(const std::string& section) {
    const std::string upper = UpperCase(section);
    return StartsWith(upper, "BUTTON") && upper != "BUTTON" && upper != "BUTTONS" &&
           upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX";
}

// The frame count a button without a "frame" key gets.
int WorkedOutFrames(const TDataSkinSysButton& b) {
    if (b.Action < 0) return 6;
    if (b.Map.Empty()) return 6;
    return static_cast<double>(b.Map.width) / b.Map.height <= 3.8 ? 3 : 6;
}

std::unique_ptr<TDataSkinSysButton> ReadButton(SkinSource& source, const std::string& s) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->IDName = s;
    b->Action = source.Int(s, "Action", 0);
    b->Align = source.Int(s, "Align", 0);
    b->Xcoord = source.Int(s, "Xcoord", 0);
    b->Ycoord = source.Int(s, "Ycoord", 0);
    b->Visibility = source.Int(s, "Visibility", 0);
    b->Visibility1 = source.Int(s, "Visibility1", b->Action == -1 ? -1 : 0);
    b->CombineOp = source.Int(s, "CombineOp", -1);
    b->Frame = source.Int(s, "frame", 0);
    b->Map = source.Bitmap(s, "ButtonImage");
    if (b->Frame == 0) {
        b->Frame = WorkedOutFrames(*b);
        // These open the system menu; without frames of their own they show
        // the window's icon instead.
        if (b->Action == 3 || b->Action == 11) b->Map = SkinBitmap();
    }
    return b;
}

void AddChildWindowButtons(SkinSource& source, TSkinContent& content) {
    const SkinBitmap strip = source.Bitmap("MDICONTROLS", "Image");
    const int column = strip.width / 12;
    const char* names[3] = {"MdiMinimize", "MdiRestore", "MdiClose"};
    for (int i = 0; i < 3; ++i) {
        auto b = std::make_unique<TDataSkinSysButton>();
        b->IDName = names[i];
        b->Action = 7 + i;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->Frame = 4;
        b->Xcoord = (column + 4) * (3 - i);
        if (column > 0) b->Map = CropBitmap(strip, 4 * i * column, 0, 4 * column, strip.height);
        content.SysButtons.push_back(std::move(b));
    }
}

}  // namespace

void LoadSysButtons(SkinSource& source, TSkinContent& content) {
    content.SysButtons.clear();
    for (const std::string& section : source.Ini().SectionNames()) {
        if (!IsTitleButtonSection(section)) continue;
        if (source.Int(section, "Action", 0) == -1 && source.Int(section, "Visibility", -1) != 0) {
            continue;
        }
        content.SysButtons.push_back(ReadButton(source, section));
    }
    AddChildWindowButtons(source, content);
}

}  // namespace kestrone
