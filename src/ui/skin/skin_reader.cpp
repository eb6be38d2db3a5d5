#include "ui/skin/skin_reader.h"

#include "core/shell.h"
#include "core/text.h"
#include "ui/skin/lzh.h"

namespace kestrone {
namespace {

uint32_t ReadU32(std::string_view data, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(data[at + i]);
    return v;
}

constexpr size_t kHeaderSize = 16;
constexpr size_t kFormat30000Skip = 256;

}  // namespace

std::vector<std::string> SplitNameList(std::string_view text) {
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(i, end - i));
        if (end < text.size() && text[end] == '\r') {
            ++end;
            if (end < text.size() && text[end] == '\n') ++end;
        } else if (end < text.size()) {
            ++end;  // a lone LF
        }
        i = end;
    }
    return lines;
}

void TSkinReader::Clear() {
    format_ = 0;
    names_.clear();
    sizes_.clear();
    offsets_.clear();
    data_.clear();
    data_.shrink_to_fit();
    dataStart_ = 0;
}

bool TSkinReader::Refuse(Refusal why) {
    Clear();
    refusal_ = why;
    return false;
}

bool TSkinReader::ReadPacked(std::string_view packed) {
    std::string unpacked;
    if (!UnpackSkin(packed, unpacked)) return Refuse(Refusal::Unpack);
    return ReadUnpacked(std::move(unpacked));
}

bool TSkinReader::ReadUnpacked(std::string unpacked) {
    Clear();
    refusal_ = Refusal::None;
    data_ = std::move(unpacked);
    if (data_.size() < kHeaderSize) return Refuse(Refusal::Header);
    const uint32_t format = ReadU32(data_, 0);
    const uint64_t nameLength = ReadU32(data_, 4);
    size_t at = kHeaderSize;
    if (format == kSkinFormat30000) {
        at += kFormat30000Skip;
    } else if (format != kSkinFormat20000) {
        Shell().ShowPrompt(kOlderSkinMessage);
        return Refuse(Refusal::OlderFormat);
    }
    if (at + nameLength > data_.size()) return Refuse(Refusal::NameList);
    std::vector<std::string> names =
        SplitNameList(LowerCase(std::string_view(data_).substr(at, nameLength)));
    at += nameLength;
    if (names.size() > kMaxSkinEntries) return Refuse(Refusal::TooManyEntries);
    if (at + 4 * names.size() > data_.size()) return Refuse(Refusal::SizeTable);
    std::vector<uint32_t> sizes;
    std::vector<uint64_t> offsets;
    uint64_t total = 0;
    for (size_t i = 0; i < names.size(); ++i, at += 4) {
        sizes.push_back(ReadU32(data_, at));
        offsets.push_back(total);
        total += sizes.back();
    }
    if (total > data_.size() - at) return Refuse(Refusal::EntryData);
    format_ = format;
    names_ = std::move(names);
    sizes_ = std::move(sizes);
    offsets_ = std::move(offsets);
    dataStart_ = at;
    return true;
}

std::string_view TSkinReader::EntryAt(size_t index) const {
    return std::string_view(data_).substr(dataStart_ + offsets_[index], sizes_[index]);
}

std::string TSkinReader::Entry(std::string_view name) const {
    const std::string wanted = LowerCase(name);
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == wanted) return std::string(EntryAt(i));
    }
    return {};
}

bool TSkinReader::HasEntry(std::string_view name) const {
    const std::string wanted = LowerCase(name);
    for (const std::string& n : names_) {
        if (n == wanted) return true;
    }
    return false;
}

bool TSkinReader::FindContaining(std::string_view text, std::string& bytes,
                                 std::string& name) const {
    const std::string wanted = LowerCase(text);  // the names are held in lower case
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].find(wanted) != std::string::npos) {
            bytes.assign(EntryAt(i));
            name = names_[i];
            return true;
        }
    }
    return false;
}

}  // namespace kestrone
