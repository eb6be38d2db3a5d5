// Builds the bytes of shortcut files for tests, laid out as the shell writes
// them: header, target ID list (My Computer, drive, file entries with their
// long names), link info, counted strings and an environment block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone::test {

class LinkBuilder {
  public:
    static constexpr uint32_t kHasIdList = 0x01, kHasLinkInfo = 0x02, kHasName = 0x04,
                              kHasRelativePath = 0x08, kHasWorkingDir = 0x10, kHasArguments = 0x20,
                              kHasIconLocation = 0x40, kIsUnicode = 0x80, kHasExpString = 0x200;

    // "C:\WINDOWS\system32\cmd.exe": My Computer, "C:\", then one item per name.
    LinkBuilder& IdList(const std::string& path) {
        idList_ = IdListBytes(path);
        flags_ |= kHasIdList;
        return *this;
    }
    // Raw items (each with its own size field), followed by the terminator.
    LinkBuilder& RawIdList(const std::string& items) {
        idList_ = items + std::string(2, '\0');
        flags_ |= kHasIdList;
        return *this;
    }
    LinkBuilder& LinkInfo(const std::string& basePath, const std::string& suffix = "") {
        linkInfo_ = LinkInfoBytes(basePath, suffix);
        flags_ |= kHasLinkInfo;
        return *this;
    }
    LinkBuilder& Name(const std::string& text) { return Text(kHasName, 0, text); }
    LinkBuilder& RelativePath(const std::string& text) { return Text(kHasRelativePath, 1, text); }
    LinkBuilder& WorkingDir(const std::string& text) { return Text(kHasWorkingDir, 2, text); }
    LinkBuilder& Arguments(const std::string& text) { return Text(kHasArguments, 3, text); }
    LinkBuilder& Icon(const std::string& text) { return Text(kHasIconLocation, 4, text); }
    LinkBuilder& Unicode(bool on = true) {
        flags_ = on ? flags_ | kIsUnicode : flags_ & ~kIsUnicode;
        return *this;
    }
    LinkBuilder& EnvironmentTarget(const std::string& text) {
        environment_ = text;
        flags_ |= kHasExpString;
        return *this;
    }
    LinkBuilder& Flags(uint32_t flags) {
        flags_ = flags;
        return *this;
    }
    uint32_t flags() const { return flags_; }

    std::string Bytes() const {
        std::string out = Header();
        if (flags_ & kHasIdList) out += U16(idList_.size()) + idList_;
        if (flags_ & kHasLinkInfo) out += linkInfo_;
        for (int i = 0; i < 5; ++i) {
            if (!(flags_ & (kHasName << i))) continue;
            const std::string& text = texts_[i];
            out += U16(text.size());
            out += (flags_ & kIsUnicode) ? Wide(text) : text;
        }
        if (!environment_.empty()) out += EnvironmentBlock();
        out += U32(0);  // terminal block
        return out;
    }

    static std::string U16(size_t value) {
        return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    }
    static std::string U32(size_t value) {
        return U16(value & 0xFFFF) + U16((value >> 16) & 0xFFFF);
    }
    static std::string Wide(const std::string& text) {
        std::string out;
        for (char c : text) out += std::string(1, c) + '\0';
        return out;
    }
    // One file-entry item with a short name and (when given) a long name in
    // its extension block, as Windows XP writes them.
    static std::string FileItem(const std::string& shortName, const std::string& longName,
                                bool folder) {
        std::string body;
        body += static_cast<char>(folder ? 0x31 : 0x32);
        body += '\0';
        body += U32(0) + U16(0) + U16(0) + U16(folder ? 0x10 : 0x20);
        body += shortName + '\0';
        if ((body.size() + 2) % 2) body += '\0';
        if (!longName.empty()) {
            size_t extensionAt = body.size() + 2;
            std::string extension = U16(0) + U16(3) + U32(0xBEEF0004) + U32(0) + U32(0) +
                                    U16(0x14) + U16(0) + Wide(longName) + U16(0) + U16(extensionAt);
            extension.replace(0, 2, U16(extension.size()));
            body += extension;
        } else {
            body += U16(0);
        }
        return U16(body.size() + 2) + body;
    }

  private:
    LinkBuilder& Text(uint32_t flag, int index, const std::string& text) {
        texts_[index] = text;
        flags_ |= flag;
        return *this;
    }

    std::string Header() const {
        std::string h = U32(0x4C);
        const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0,
                                         0xC0, 0,    0,    0, 0, 0, 0, 0x46};
        h.append(reinterpret_cast<const char*>(clsid), 16);
        h += U32(flags_) + U32(0x20);
        h += std::string(0x4C - h.size(), '\0');
        return h;
    }

    static std::string IdListBytes(const std::string& path) {
        const unsigned char computer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                            0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
        std::string items =
            U16(0x14) + "\x1F\x50" + std::string(reinterpret_cast<const char*>(computer), 16);
        std::string drive = "\x2F" + path.substr(0, 3) + std::string(20, '\0');
        items += U16(drive.size() + 2) + drive;
        std::vector<std::string> names;
        for (size_t at = 3; at < path.size();) {
            size_t slash = path.find('\\', at);
            if (slash == std::string::npos) slash = path.size();
            names.push_back(path.substr(at, slash - at));
            at = slash + 1;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            std::string shortName = names[i].substr(0, 6) + "~1";
            items += FileItem(shortName, names[i], i + 1 < names.size());
        }
        return items + U16(0);
    }

    static std::string LinkInfoBytes(const std::string& basePath, const std::string& suffix) {
        const size_t header = 0x1C;
        std::string volume = U32(0x11) + U32(2) + U32(0x1234) + U32(0x10) + '\0';
        size_t volumeAt = header;
        size_t baseAt = volumeAt + volume.size();
        size_t suffixAt = baseAt + basePath.size() + 1;
        size_t size = suffixAt + suffix.size() + 1;
        return U32(size) + U32(header) + U32(1) + U32(volumeAt) + U32(baseAt) + U32(0) +
               U32(suffixAt) + volume + basePath + '\0' + suffix + '\0';
    }

    std::string EnvironmentBlock() const {
        std::string ansi = environment_ + std::string(260 - environment_.size(), '\0');
        std::string wide = Wide(environment_) + std::string(520 - 2 * environment_.size(), '\0');
        return U32(0x314) + U32(0xA0000001) + ansi + wide;
    }

    uint32_t flags_ = 0;
    std::string idList_, linkInfo_, environment_;
    std::string texts_[5];
};

}  // namespace kestrone::test
