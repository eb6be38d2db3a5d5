// skin-sheet: renders the preview sheet of a packed skin.
//   skin-sheet SKIN OUTPUT.bmp OUTPUT.mvg
// The BMP holds the pictures, the MVG file the texts; render-sheet.sh joins
// them into a PNG with ImageMagick.
#include "common/host_files.h"
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "bmp_writer.h"
#include "sheet.h"
#include "ui/skin/skin_data.h"

using namespace kestrone;
using namespace kestrone::skinart;

using kestrone::tools::ReadHostFile;
using kestrone::tools::WriteHostFile;

namespace {

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: skin-sheet SKIN OUTPUT.bmp OUTPUT.mvg\n";
        return 2;
    }
    std::string packed;
    if (!ReadHostFile(argv[1], packed)) {
        std::cerr << "skin-sheet: cannot read " << argv[1] << "\n";
        return 1;
    }
    TSkinData data;
    data.SetPackedSkin(packed);
    if (!data.LoadSkin()) {
        std::cerr << "skin-sheet: the skin does not load\n";
        return 1;
    }
    const TSkinContent& skin = *data.Content();
    // Measure the object table first, then draw everything on one sheet.
    Sheet probe(1200, 8000, FromHex(0xE9EDF2));
    const int tableHeight = DrawObjectTable(probe, skin, 0);
    Sheet sheet(1200, 40 + 540 + tableHeight + 40, FromHex(0xE9EDF2));
    sheet.Text(24, 14, "Kestrone skin \"" + skin.SkinName + "\"", FromHex(0x1F2A37), 17, true);
    const int used = DrawMockWindows(sheet, skin, 50);
    DrawObjectTable(sheet, skin, 50 + used + 10);
    if (!WriteHostFile(argv[2], skinart::EncodeBmp(sheet.canvas.Bitmap())) ||
        !WriteHostFile(argv[3], sheet.DrawScript("DejaVu-Sans", "DejaVu-Sans-Bold"))) {
        std::cerr << "skin-sheet: cannot write the sheet\n";
        return 1;
    }
    return 0;
}
