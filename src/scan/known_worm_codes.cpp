#include "scan/known_worm_codes.h"

#include "core/definitions.h"
#include "scan/file_code.h"
#include "scan/lookalike_worm.h"
#include "scan/shortcut_worm.h"
#include "scan/worm_payloads.h"

namespace kestrone {

namespace {

void AddCode(TextList& codes, const std::string& code) {
    std::string upper = UpperCase(Trim(code));
    if (IsUsableWormCode(upper) && IndexOfText(codes, upper) < 0) codes.push_back(upper);
}

std::string TextAfterEquals(const std::string& entry) {
    size_t equals = entry.find('=');
    return equals == std::string::npos ? entry : entry.substr(equals + 1);
}

}  // namespace

TextList DefinitionWormCodes() {
    TextList codes;
    for (const std::string& entry :
         SplitList(ReadDataString("VirusProcess", "Processes", "", kDefinitionsFile), ',')) {
        AddCode(codes, TextAfterEquals(entry));
    }
    for (const std::string& folder :
         SplitList(ReadDataString("VirusFile", "Paths", "", kDefinitionsFile), ',')) {
        for (const std::string& code :
             SplitList(ReadDataString(folder, "Codes", "", kDefinitionsFile), ',')) {
            AddCode(codes, code);
        }
    }
    for (const std::string& virus :
         SplitList(ReadDataString("VirusName", "Name", "None", kDefinitionsFile), ',')) {
        for (const std::string& entry :
             SplitList(ReadDataString(virus, "ProcessToKill", "None", kDefinitionsFile), ',')) {
            if (StartsWith(entry, "CODE=")) AddCode(codes, TextAfterEquals(entry));
        }
    }
    return codes;
}

TextList DriveWormCodes(const std::string& driveRoot) {
    TextList codes;
    for (const Lookalike& copy : FindLookalikeWorms(driveRoot)) {
        AddCode(codes, GetFileCode(copy.program));
    }
    for (const WormShortcut& shortcut : FindWormShortcuts(driveRoot)) {
        for (const std::string& payload : shortcut.launch.payloads) {
            AddCode(codes, GetFileCode(payload));
        }
    }
    return codes;
}

}  // namespace kestrone
