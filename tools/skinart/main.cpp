// skin-art: draws Kestrone's default skin and writes its bitmaps, its INI text
// and a list of the files (the packer's input) into a folder.
//   skin-art FOLDER
#include "common/host_files.h"
#include <filesystem>
#include <fstream>
#include <iostream>

#include "bmp_writer.h"
#include "style.h"

namespace fs = std::filesystem;
using namespace kestrone::skinart;

using kestrone::tools::WriteHostFile;

namespace {

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skin-art FOLDER\n";
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    const SkinArt art = DrawDefaultSkin();
    std::string list;
    for (const auto& [name, bitmap] : art.bitmaps) {
        if (!WriteHostFile((folder / name).string(), EncodeBmp(bitmap))) {
            std::cerr << "skinart: cannot write " << name << "\n";
            return 1;
        }
        list += name + "\n";
    }
    std::string ini = art.ini;
    // The skin's INI text uses CR LF, as its readers expect from Windows files.
    std::string crlf;
    for (char ch : ini) {
        if (ch == '\n') crlf += '\r';
        crlf += ch;
    }
    if (!WriteHostFile((folder / "kestrone.ini").string(), crlf)) return 1;
    list += "kestrone.ini\n";
    return WriteHostFile((folder / "contents.lst").string(), list) ? 0 : 1;
}
