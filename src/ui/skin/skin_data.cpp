#include "ui/skin/skin_data.h"

#include "platform/files.h"
#include "ui/skin/quick_ini.h"
#include "ui/skin/skin_loader.h"
#include "ui/skin/skin_reader.h"

namespace kestrone {

TSkinData::TSkinData() : Skin3rd(DefaultSkin3rd()) {
    for (uint32_t v = xcMainMenu; v <= xcFastReport; ++v) {
        const auto kind = static_cast<TSkinControlType>(v);
        if (kind != xcMenuItem && kind != xcFastReport) SkinControls.Include(kind);
    }
    Options = {xoPreview, xoToolbarBK};
}

void TSkinData::SetActive(bool value) {
    if (Active == value) return;
    Active = value;
    if (Designing || Loading) return;
    if (OnActiveChanged) OnActiveChanged(*this);
}

void TSkinData::SetSkinFile(const std::string& path) {
    FSkinFile = path;
    FLoaded = false;
    if (Designing || !platform::FileExists(path)) return;
    // The file is input: one larger than any skin could be is not read at all.
    platform::FileStream file;
    if (!file.Open(path, platform::FileStream::Mode::Read)) return;
    const int64_t size = file.Size();
    if (size < 0 || static_cast<uint64_t>(size) > kMaxPackedSkinFile) return;
    std::string bytes(static_cast<size_t>(size), '\0');
    if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return;
    FPacked = std::move(bytes);
    LoadSkin();
}

bool TSkinData::ReadSkinStream(std::string_view stored) {
    FPacked.clear();
    if (stored.size() < 4) return false;
    uint32_t raw = 0;
    for (int i = 3; i >= 0; --i) raw = (raw << 8) | static_cast<uint8_t>(stored[i]);
    const int32_t count = static_cast<int32_t>(raw);
    if (count <= 0) return true;
    if (static_cast<size_t>(count) > stored.size() - 4) return false;
    FPacked.assign(stored.substr(4, static_cast<size_t>(count)));
    return true;
}

std::string TSkinData::WriteSkinStream() const {
    std::string out;
    const uint32_t count = static_cast<uint32_t>(FPacked.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((count >> (8 * i)) & 0xFF));
    return out + FPacked;
}

bool TSkinData::LoadSkin() {
    FLoaded = false;
    if (Designing) return false;
    TSkinReader reader;
    if (!reader.ReadPacked(FPacked)) return false;
    std::string iniText, iniName;
    reader.FindContaining(".ini", iniText, iniName);
    TQuickIni ini;
    ini.Load(iniText);
    SkinSource source(reader, ini);
    auto content = std::make_unique<TSkinContent>();
    if (!LoadSkinContent(source, *content)) return false;
    FContent = std::move(content);
    FLoaded = true;
    if (OnSkinLoaded) OnSkinLoaded(*this);
    if (OnSkinChanged) OnSkinChanged(*this);
    return true;
}

}  // namespace kestrone
