#include "app/drive_guard.h"

#include <cstring>

#include "core/machine_changes.h"
#include "core/refusal_report.h"
#include "scan/drive_guard.h"

namespace kestrone {

namespace {
std::string RootOf(char letter) {
    return std::string(1, letter) + ":\\";
}
}  // namespace

std::string GuardedLetters(bool guardOn, const std::string& removableLetters) {
    std::string letters;
    if (!guardOn) return letters;
    for (char letter : removableLetters) {
        char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
        if (upper > 'A' && upper <= 'Z' && letters.find(upper) == std::string::npos)
            letters.push_back(upper);
    }
    return letters;
}

HandleRemoval ReadHandleRemoval(uint32_t event, const void* header, uintptr_t& handle) {
    handle = 0;
    if (!header || (event != kDbtDeviceQueryRemove && event != kDbtDeviceQueryRemoveFailed))
        return HandleRemoval::None;
    // DEV_BROADCAST_HANDLE {size, devicetype, reserved, HANDLE, ...}: the
    // handle follows the three DWORDs at the pointer's alignment. Read field
    // by field: the record may be unaligned.
    constexpr size_t kHandleOffset = (12 + alignof(void*) - 1) & ~(alignof(void*) - 1);
    uint32_t size = 0, deviceType = 0;
    const auto* bytes = static_cast<const unsigned char*>(header);
    std::memcpy(&size, bytes, 4);
    std::memcpy(&deviceType, bytes + 4, 4);
    if (deviceType != kDbtDevTypHandle || size < kHandleOffset + sizeof(void*))
        return HandleRemoval::None;
    void* named = nullptr;
    std::memcpy(&named, bytes + kHandleOffset, sizeof named);
    handle = reinterpret_cast<uintptr_t>(named);
    return event == kDbtDeviceQueryRemove ? HandleRemoval::Asked : HandleRemoval::Failed;
}

DriveGuard::DriveGuard(ChangeNotice notice) : notice_(std::move(notice)) {}

DriveGuard::~DriveGuard() = default;

void DriveGuard::Guard(const std::string& letters) {
    if (busy_) {
        pendingLetters_ = letters;
        return;
    }
    for (auto at = drives_.begin(); at != drives_.end();) {
        at = letters.find(at->first) == std::string::npos ? drives_.erase(at) : std::next(at);
    }
    std::string stillLetGo;
    for (char letter : letGo_) {
        if (letters.find(letter) != std::string::npos) stillLetGo.push_back(letter);
    }
    letGo_ = stillLetGo;  // a drive that went and comes back is guarded again
    for (char letter : letters) {
        if (drives_.count(letter) || letGo_.find(letter) != std::string::npos) continue;
        auto drive = std::make_unique<Drive>();
        drive->baseline = platform::ListFolder(RootOf(letter) + "*");
        ChangeNotice notice = notice_;
        if (!drive->watch.Start(RootOf(letter), [notice, letter] { notice(letter); })) continue;
        drives_[letter] = std::move(drive);
    }
}

std::string DriveGuard::Guarded() const {
    std::string letters;
    for (const auto& [letter, drive] : drives_) letters.push_back(letter);
    return letters;
}

void DriveGuard::LetGo(char letter) {
    if (letGo_.find(letter) == std::string::npos) letGo_.push_back(letter);
    if (busy_) return;  // the check under way holds the drive's record
    drives_.erase(letter);
}

void DriveGuard::Resume(char letter) {
    size_t at = letGo_.find(letter);
    if (at != std::string::npos) letGo_.erase(at, 1);
}

uintptr_t DriveGuard::WatchHandle(char letter) const {
    auto at = drives_.find(letter);
    return at == drives_.end() ? 0 : at->second->watch.SystemHandle();
}

char DriveGuard::LetterOfHandle(uintptr_t handle) const {
    for (const auto& [letter, drive] : drives_) {
        if (handle != 0 && drive->watch.SystemHandle() == handle) return letter;
    }
    return 0;
}

std::string DriveGuard::Check(char letter) {
    auto at = drives_.find(letter);
    if (busy_ || at == drives_.end()) return std::string();
    const std::string root = RootOf(letter);
    GuardReport report;
    int refused = 0;
    busy_ = true;
    try {
        RemovalReasonScope reason("Guard of " + root);
        ResetMachineChanges();
        report = GuardDriveRoot(root, at->second->baseline);
        refused = MachineChanges().refused;
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
    for (char goneLetter : letGo_) drives_.erase(goneLetter);
    if (pendingLetters_) {
        std::string letters = std::move(*pendingLetters_);
        pendingLetters_.reset();
        Guard(letters);
    }
    if (report.acted && refused > 0)
        report.lines.push_back(RefusalLine(refused, CauseOfRefusals()));
    return GuardPopupText(root, report);
}

}  // namespace kestrone
