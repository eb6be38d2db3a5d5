#include "core/data_places.h"

#include <optional>

#include "core/path_macros.h"
#include "core/text.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/rights.h"

namespace kestrone {

namespace {

struct Decision {
    std::string programDir;
    DataLayout layout = DataLayout::Portable;
    std::string userDir;
};

std::optional<Decision>& TheDecision() {
    static std::optional<Decision> decision;
    return decision;
}

// "<local application data>\Kestrone\"; the temporary folder stands in on a
// system that names no such folder (it is the user's own as well).
std::string InstalledUserDir() {
    std::string base = GetSpecialDir(platform::kCsidlLocalAppData);
    if (base.size() < 3) base = GetTempDir();
    std::string dir = base + kUserDataFolderName + "\\";
    platform::MakeFolder(dir.substr(0, dir.size() - 1));
    return dir;
}

const Decision& Decide() {
    std::optional<Decision>& decision = TheDecision();
    std::string programDir = GetExeDir();
    if (!decision || !SameText(decision->programDir, programDir)) {
        Decision made;
        made.programDir = programDir;
        made.layout = ChooseDataLayout(platform::FolderWritableByUser(programDir));
        made.userDir = made.layout == DataLayout::Portable ? programDir : InstalledUserDir();
        decision = made;
    }
    return *decision;
}

}  // namespace

DataLayout ChooseDataLayout(bool programFolderWritableByUser) {
    return programFolderWritableByUser ? DataLayout::Portable : DataLayout::Installed;
}

DataFileKind KindOfDataFile(const std::string& fileName) {
    static const char* const kLayered[] = {"UserSettings.ini", "Process.dat"};
    static const char* const kUserRecords[] = {"History.log", "Undo.txt", "Quarantine"};
    for (const char* name : kLayered)
        if (SameText(fileName, name)) return DataFileKind::Layered;
    for (const char* name : kUserRecords)
        if (SameText(fileName, name)) return DataFileKind::UserRecord;
    return DataFileKind::Shipped;
}

DataLayout CurrentDataLayout() { return Decide().layout; }

std::string UserDataDir() { return Decide().userDir; }

void ForgetDataLayout() { TheDecision().reset(); }

std::string UserFilePath(const std::string& fileName) {
    return (KindOfDataFile(fileName) == DataFileKind::Shipped ? GetExeDir() : UserDataDir()) +
           fileName;
}

std::string ShippedFilePath(const std::string& fileName) { return GetExeDir() + fileName; }

}  // namespace kestrone
