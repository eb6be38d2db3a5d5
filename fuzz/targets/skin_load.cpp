// The whole interpretation of an unpacked skin: container, INI text, every
// section, the bitmaps (BMP decoding) and the derived objects.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/skin/quick_ini.h"
#include "ui/skin/skin_loader.h"
#include "ui/skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrone::TSkinReader reader;
    if (!reader.ReadUnpacked(std::string(reinterpret_cast<const char*>(data), size))) return 0;
    std::string text, name;
    reader.FindContaining(".ini", text, name);
    kestrone::TQuickIni ini;
    ini.Load(text);
    kestrone::SkinSource source(reader, ini);
    kestrone::TSkinContent content;
    kestrone::LoadSkinContent(source, content);
    return 0;
}
