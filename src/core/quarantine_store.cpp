#include "core/quarantine_store.h"

#include <algorithm>
#include <utility>

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "core/policy_values.h"
#include "core/text.h"
#include "core/user_settings.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/rights.h"
#include "scan/file_code.h"

namespace kestrone {

namespace {

constexpr char kTrustKey[] = "TrustedFileCodes";
constexpr char kLimitKey[] = "QuarantineLimitMB";

std::vector<QuarantineEntry>::iterator FindEntry(std::vector<QuarantineEntry>& entries,
                                                 uint32_t number) {
    return std::find_if(entries.begin(), entries.end(),
                        [number](const QuarantineEntry& e) { return e.number == number; });
}

// Makes every missing folder of a file's path, from the drive root down.
bool MakeFoldersFor(const std::string& path) {
    std::string folder = FolderPart(path);
    for (size_t end = folder.find('\\', 3); end != std::string::npos;
         end = folder.find('\\', end + 1)) {
        std::string step = folder.substr(0, end);
        if (!platform::FolderExists(step) && !platform::MakeFolder(step)) return false;
    }
    return true;
}

bool WriteReplacing(const std::string& path, const std::string& content) {
    std::string temporary = path + ".new";
    if (!platform::WriteTextFile(temporary, content)) {
        platform::RemoveFile(temporary);
        return false;
    }
    if (platform::ReplaceFileWith(temporary, path)) return true;
    platform::RemoveFile(temporary);
    return false;
}

}  // namespace

QuarantineStore::QuarantineStore(std::string folder) : folder_(WithBackslash(folder)) {}

std::vector<QuarantineEntry> QuarantineStore::Entries() {
    std::vector<QuarantineEntry> entries;
    std::string text;
    if (!platform::ReadWholeFile(IndexPath(), text)) return entries;
    if (ParseQuarantineIndex(text, entries)) return entries;
    std::string aside = folder_ + "index.bad";
    platform::ReplaceFileWith(IndexPath(), aside);
    problem_ = "The quarantine index was damaged and has been set aside as " + aside + ".";
    return {};
}

bool QuarantineStore::Save(const std::vector<QuarantineEntry>& entries) {
    return WriteReplacing(IndexPath(), FormatQuarantineIndex(entries));
}

void QuarantineStore::DropCopy(uint32_t number) {
    platform::SetAttributes(SealedPath(number), platform::kAttrNormal);
    platform::RemoveFile(SealedPath(number));
}

QuarantineEntry QuarantineStore::Keep(const std::string& path, const std::string& reason,
                                      uint64_t limitBytes) {
    std::vector<QuarantineEntry> entries = Entries();
    QuarantineEntry entry;
    for (const QuarantineEntry& e : entries) entry.number = std::max(entry.number, e.number);
    ++entry.number;
    entry.time = platform::CurrentLocalTimeText();
    entry.attributes = platform::GetAttributes(path);
    entry.reason = reason;
    entry.originalPath = path;

    const bool storeReady = platform::FolderExists(folder_) || MakeFoldersFor(folder_ + "x");
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) {
        entry.fileCode = platform::FileExists(path) ? "0000" : "";
        entry.note = "No copy kept: the file could not be read.";
    } else {
        entry.size = bytes.size();
        entry.fileCode = FormatFileCode(Crc32(bytes.data(), bytes.size()));
        if (entry.size > limitBytes) {
            entry.note = "No copy kept: the file is larger than the quarantine limit.";
        } else if (storeReady && WriteReplacing(SealedPath(entry.number), SealContent(bytes))) {
            entry.kept = true;
        } else {
            entry.note = "No copy kept: the quarantine folder could not be written.";
        }
    }
    entries.push_back(entry);
    std::vector<uint32_t> dropped = EntriesOverLimit(entries, limitBytes);
    for (uint32_t number : dropped) {
        DropCopy(number);
        entries.erase(FindEntry(entries, number));
    }
    if (!Save(entries) && entry.kept) {
        // An index that cannot be written cannot name the copy: do not leave it behind.
        DropCopy(entry.number);
        entry.kept = false;
        entry.note = "No copy kept: the quarantine index could not be written.";
    }
    return entry;
}

RestoreOutcome QuarantineStore::Restore(uint32_t number, bool overwrite) {
    std::vector<QuarantineEntry> entries = Entries();
    auto it = FindEntry(entries, number);
    if (it == entries.end()) return RestoreOutcome::NoSuchEntry;
    if (!it->kept) return RestoreOutcome::NoCopy;
    const std::string& path = it->originalPath;
    // A junction or link on the way could turn the restore into a write
    // somewhere else (a system folder): such a path is refused.
    if (!IsRestorablePath(path) || platform::PathPassesThroughLink(path))
        return RestoreOutcome::UnsafePath;
    if (!platform::FolderExists(path.substr(0, 3))) return RestoreOutcome::DriveMissing;
    std::string sealed, bytes;
    if (!platform::ReadWholeFile(SealedPath(number), sealed) || !UnsealContent(sealed, bytes))
        return RestoreOutcome::CopyDamaged;
    if (platform::GetAttributes(path) != platform::kInvalidAttributes) {
        if (!overwrite || platform::FolderExists(path)) return RestoreOutcome::TargetExists;
        platform::SetAttributes(path, platform::kAttrNormal);
    }
    if (!MakeFoldersFor(path) || !platform::WriteTextFile(path, bytes))
        return RestoreOutcome::WriteRefused;
    if (it->attributes != platform::kInvalidAttributes)
        platform::SetAttributes(path, it->attributes);
    entries.erase(it);
    if (Save(entries)) DropCopy(number);
    return RestoreOutcome::Restored;
}

bool QuarantineStore::Remove(uint32_t number) {
    std::vector<QuarantineEntry> entries = Entries();
    auto it = FindEntry(entries, number);
    if (it == entries.end()) return false;
    entries.erase(it);
    if (!Save(entries)) return false;
    DropCopy(number);
    return true;
}

std::string QuarantineFolder() {
    return DataFilePath(kQuarantineFolderName) + "\\";
}

uint64_t QuarantineLimitBytes() {
    int32_t megabytes = PolicyNumberOr(
        PolicyId::QuarantineLimitMB,
        ReadDataInteger(kSettingsSection, kLimitKey, kDefaultQuarantineLimitMegabytes,
                        kUserSettingsFile));
    if (megabytes < 0) megabytes = 0;
    return static_cast<uint64_t>(megabytes) * 1024 * 1024;
}

void WriteQuarantineLimitMegabytes(uint32_t megabytes) {
    WriteDataInteger(kSettingsSection, kLimitKey, static_cast<int32_t>(megabytes),
                     kUserSettingsFile);
}

bool IsTrustedFileCode(const std::string& fileCode) {
    if (fileCode.empty()) return false;
    TextList trusted =
        SplitList(ReadDataString(kSettingsSection, kTrustKey, "", kUserSettingsFile), ',');
    return IndexOfText(trusted, fileCode) >= 0;
}

void TrustFileCode(const std::string& fileCode) {
    if (fileCode.empty() || IsTrustedFileCode(fileCode)) return;
    TextList trusted =
        SplitList(ReadDataString(kSettingsSection, kTrustKey, "", kUserSettingsFile), ',');
    trusted.push_back(UpperCase(fileCode));
    WriteDataString(kSettingsSection, kTrustKey, JoinList(trusted), kUserSettingsFile);
}

namespace {

class QuarantineKeeper : public RemovalKeeper {
  public:
    bool Allows(const std::string& path) override {
        return !platform::FileExists(path) || !IsTrustedFileCode(GetFileCode(path));
    }
    void Keep(const std::string& path, const std::string& reason) override {
        if (!platform::FileExists(path)) return;
        QuarantineStore(QuarantineFolder())
            .Keep(path, reason.empty() ? "Removed by Kestrone" : reason, QuarantineLimitBytes());
    }
};

}  // namespace

void UseQuarantine(bool use) {
    static QuarantineKeeper keeper;
    InstallRemovalKeeper(use ? &keeper : nullptr);
}

}  // namespace kestrone
