// The skin's INI reader on arbitrary text: every section and a few keys.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/skin/quick_ini.h"
#include "ui/skin/skin_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kestrone::TQuickIni ini;
    ini.Load(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : ini.SectionNames()) {
        for (const char* key : {"Image", "Frame", "", "color", "a"}) {
            ini.ReadInteger(section, key, -1);
            kestrone::ReadSkinColour(ini, section, key, 0);
            kestrone::BitmapEntryName(ini.ReadString(section, key, ""));
        }
    }
    return 0;
}
