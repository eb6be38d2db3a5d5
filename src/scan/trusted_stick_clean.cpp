#include "scan/trusted_stick_clean.h"

#include "scan/autorun.h"
#include "scan/drive_clean.h"
#include "scan/file_code.h"
#include "scan/known_worm_codes.h"
#include "scan/worm_payloads.h"

namespace kestrone {

TextList TrustedLaunchRemovals(const TextList& launchList,
                               const std::function<bool(const std::string&)>& definitionsName) {
    TextList removals;
    std::string autorunFile;
    for (const std::string& path : launchList) {
        if (SameText(FilePart(path), kAutorunFileName))
            autorunFile = path;
        else if (definitionsName(path))
            removals.push_back(path);
    }
    if (!removals.empty() && !autorunFile.empty()) removals.push_back(autorunFile);
    return removals;
}

bool DefinitionsNameFile(const std::string& path, const TextList& definitionCodes) {
    if (!MatchFileToDelete({path}).empty()) return true;
    std::string code = GetFileCode(path);
    return IsUsableWormCode(code) && IndexOfText(definitionCodes, code) >= 0;
}

TextList TrustedStickLaunchRemovals(const std::string& driveRoot) {
    TextList codes = DefinitionWormCodes();
    return TrustedLaunchRemovals(ParseAutorunInf(driveRoot), [&codes](const std::string& path) {
        return DefinitionsNameFile(path, codes);
    });
}

TextList CleanTrustedStick(const std::string& driveRoot) {
    TextList cleaned;
    if (HasAutorunInf(driveRoot)) {
        TextList removals = TrustedStickLaunchRemovals(driveRoot);  // judged before anything goes
        cleaned = CleanKnownVirusFiles(ParseAutorunInf(driveRoot));
        for (std::string& path : DeleteLiteralFileList(removals)) cleaned.push_back(std::move(path));
    }
    for (std::string& path : FindKnownExeFiles(driveRoot)) cleaned.push_back(std::move(path));
    return cleaned;
}

}  // namespace kestrone
