// skin-pack: packs skin files into a skin, or lists and unpacks one.
//   skin-pack pack OUTPUT.skin LIST      pack the files named in LIST (one a line,
//                                       relative to LIST's folder), format 20000
//   skin-pack list SKIN                  show the entries of a skin
//   skin-pack unpack SKIN FOLDER         write every entry into FOLDER
#include "common/host_files.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "lzh_encoder.h"
#include "skin_container.h"
#include "ui/skin/skin_reader.h"

namespace fs = std::filesystem;
using namespace kestrone;

using kestrone::tools::ReadHostFile;
using kestrone::tools::WriteHostFile;

namespace {

int Pack(const fs::path& output, const fs::path& list) {
    std::string text;
    if (!ReadHostFile(list.string(), text)) {
        std::cerr << "skinpack: cannot read " << list << "\n";
        return 1;
    }
    std::vector<skinpack::ContainerEntry> entries;
    std::istringstream lines(text);
    for (std::string name; std::getline(lines, name);) {
        if (!name.empty() && name.back() == '\r') name.pop_back();
        if (name.empty()) continue;
        skinpack::ContainerEntry e{name, {}};
        if (!ReadHostFile((list.parent_path() / name).string(), e.bytes)) {
            std::cerr << "skinpack: cannot read " << name << "\n";
            return 1;
        }
        entries.push_back(std::move(e));
    }
    const std::string packed = skinpack::PackSkin(skinpack::BuildContainer(entries));
    if (!WriteHostFile(output.string(), packed)) {
        std::cerr << "skinpack: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

bool Open(const fs::path& skin, TSkinReader& reader) {
    std::string packed;
    if (!ReadHostFile(skin.string(), packed) || !reader.ReadPacked(packed)) {
        std::cerr << "skinpack: " << skin << " is not a skin\n";
        return false;
    }
    return true;
}

int List(const fs::path& skin) {
    TSkinReader reader;
    if (!Open(skin, reader)) return 1;
    std::cout << "format " << reader.Format() << ", " << reader.Names().size() << " entries\n";
    for (size_t i = 0; i < reader.Names().size(); ++i) {
        std::cout << reader.Sizes()[i] << "\t" << reader.Names()[i] << "\n";
    }
    return 0;
}

int Unpack(const fs::path& skin, const fs::path& folder) {
    TSkinReader reader;
    if (!Open(skin, reader)) return 1;
    fs::create_directories(folder);
    for (const std::string& name : reader.Names()) {
        if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "..") continue;
        if (!WriteHostFile((folder / name).string(), reader.Entry(name))) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "unpack" && argc == 4) return Unpack(argv[2], argv[3]);
    std::cerr << "usage: skin-pack pack OUTPUT.skin LIST | list SKIN | unpack SKIN FOLDER\n";
    return 2;
}
