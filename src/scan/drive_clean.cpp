#include "scan/drive_clean.h"

#include "core/definitions.h"
#include "core/drive_claim.h"
#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "core/trusted_sticks.h"
#include "platform/files.h"
#include "scan/autorun.h"
#include "scan/lookalike_worm.h"
#include "scan/mass_removal.h"
#include "scan/root_worms.h"
#include "scan/shortcut_worm.h"
#include "scan/trusted_stick_clean.h"

namespace kestrone {

namespace {

// Switches the current directory for the life of the object.
class CurrentFolderScope {
  public:
    explicit CurrentFolderScope(const std::string& folder) : saved_(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(folder);
    }
    ~CurrentFolderScope() {
        if (!saved_.empty()) platform::SetCurrentFolder(saved_);
    }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

  private:
    std::string saved_;
};

struct VirusFiles {
    std::string name;
    std::string fileToDelete;
};

std::vector<VirusFiles> ReadVirusFileLists() {
    std::vector<VirusFiles> viruses;
    for (const std::string& name :
         SplitList(ReadDataString("VirusName", "Name", "None", kDefinitionsFile), ',')) {
        viruses.push_back({name, ReadDataString(name, "FileToDelete", "None", kDefinitionsFile)});
    }
    return viruses;
}

}  // namespace

bool HasAutorunInf(const std::string& driveRoot) {
    return platform::FileExists(driveRoot + kAutorunFileName);
}

bool HasDriveThreat(const std::string& driveRoot) {
    return HasAutorunInf(driveRoot) || HasShortcutWorm(driveRoot) || HasLookalikeWorm(driveRoot);
}

bool DeleteFiles(const std::string& pattern) {
    std::string folder = FolderPart(pattern);
    if (folder.empty() || !platform::FolderExists(folder)) return false;
    CurrentFolderScope scope(folder);
    bool result = false;
    for (const platform::FolderEntry& entry : platform::ListFolder(pattern)) {
        if (entry.IsFolder()) continue;
        result = RemoveOrScheduleFile(folder + entry.name);
    }
    return result;
}

TextList DeleteFileList(const TextList& patterns) {
    TextList deleted;
    for (const std::string& pattern : patterns) {
        if (DeleteFiles(pattern)) deleted.push_back(pattern);
    }
    return deleted;
}

bool DeleteLiteralFile(const std::string& path) {
    // '*', '?' and the DOS wildcards '<', '>', '"' cannot stand in a file name.
    if (path.find_first_of("*?<>\"") != std::string::npos) return false;
    if (!platform::FileExists(path)) return false;
    return RemoveOrScheduleFile(path);
}

TextList DeleteLiteralFileList(const TextList& paths) {
    TextList deleted;
    for (const std::string& path : paths) {
        if (DeleteLiteralFile(path)) deleted.push_back(path);
    }
    return deleted;
}

void FindFilesByMask(const std::string& folder, const std::string& mask, TextList& list) {
    std::string base = WithBackslash(folder);
    for (const platform::FolderEntry& entry : platform::ListFolder(base + mask)) {
        list.push_back(base + entry.name);
    }
}

bool ListNamesFile(const std::string& fileToDeleteText, const std::string& name) {
    if (name.empty()) return false;
    for (const std::string& entry : SplitList(fileToDeleteText, ',')) {
        if (SameText(FilePart(Trim(entry)), name)) return true;
    }
    return false;
}

TextList MatchFileToDelete(const TextList& paths) {
    TextList matched;
    std::vector<VirusFiles> viruses = ReadVirusFileLists();
    for (const VirusFiles& virus : viruses) {
        for (const std::string& path : paths) {
            if (ListNamesFile(virus.fileToDelete, Trim(FilePart(path)))) matched.push_back(path);
        }
    }
    return matched;
}

TextList FindKnownExeFiles(const std::string& driveRoot) {
    TextList candidates;
    FindFilesByMask(driveRoot, "*.exe", candidates);
    // Names come from the drive's own listing, so they are literal file names.
    return DeleteLiteralFileList(MatchFileToDelete(candidates));
}

TextList CleanKnownVirusFiles(const TextList& launchList) {
    TextList names;
    for (const std::string& path : launchList) names.push_back(Trim(FilePart(path)));
    int inf = IndexOfText(names, kAutorunFileName);
    if (inf >= 0) names.erase(names.begin() + inf);

    TextList result;
    for (const VirusFiles& virus : ReadVirusFileLists()) {
        for (const std::string& name : names) {
            if (!ListNamesFile(virus.fileToDelete, name)) continue;
            for (std::string& line :
                 DeleteFileList(ExpandPathMacros(SplitList(virus.fileToDelete, ',')))) {
                result.push_back(std::move(line));
            }
        }
    }
    return result;
}

TextList CleanDriveOnArrival(const std::string& driveRoot) {
    if (!HasDriveThreat(driveRoot)) return {};
    DriveCleaningClaim claim(driveRoot);
    if (IsTrustedDrive(driveRoot)) {
        TextList lines = MarkCleaned(CleanTrustedStick(driveRoot));
        lines.push_back(driveRoot + kTrustedStickSuffix);
        return lines;
    }
    RootWormPlan rootWorms = PlanRootWormClean(driveRoot);  // before anything changes
    TextList cleaned;
    if (HasAutorunInf(driveRoot)) {
        TextList launchList = ParseAutorunInf(driveRoot);
        cleaned = CleanKnownVirusFiles(launchList);
        for (std::string& path : DeleteLiteralFileList(launchList))
            cleaned.push_back(std::move(path));
        for (std::string& path : FindKnownExeFiles(driveRoot)) cleaned.push_back(std::move(path));
    }
    WormCleanReport worms = CleanRootWorms(driveRoot, rootWorms);
    for (std::string& path : worms.cleaned) cleaned.push_back(std::move(path));
    TextList lines = MarkCleaned(cleaned);
    for (std::string& line : MarkRestored(worms.restored)) lines.push_back(std::move(line));
    for (std::string& line : MarkLeftUnconfirmed(worms.left)) lines.push_back(std::move(line));
    return lines;
}

TextList MarkCleaned(const TextList& lines) {
    TextList marked;
    for (const std::string& line : lines) marked.push_back(line + kCleanedSuffix);
    return marked;
}

TextList MarkRestored(const TextList& lines) {
    TextList marked;
    for (const std::string& line : lines) marked.push_back(line + kRestoredSuffix);
    return marked;
}

TextList FileNamesOf(const TextList& paths) {
    TextList names;
    for (const std::string& path : paths) names.push_back(FilePart(path));
    return names;
}

}  // namespace kestrone
