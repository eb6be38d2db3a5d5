#include "updater/updater_arguments.h"

#include "core/text.h"

namespace kestrone::updater {

namespace {

constexpr char kFolderSwitch[] = "FOLDER=";

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

}  // namespace

UpdaterArguments ParseUpdaterArguments(const std::vector<std::string>& arguments) {
    UpdaterArguments parsed;
    auto refuse = [&](const std::string& argument) {
        parsed.ok = false;
        parsed.problem = "not understood: " + argument;
        return parsed;
    };
    for (const std::string& argument : arguments) {
        if (SameText(argument, kStartedByKestrone)) continue;
        if (!IsSwitch(argument)) return refuse(argument);
        std::string name = argument.substr(1);
        if (SameText(name, "S")) {
            parsed.silent = true;
        } else if (SameText(name.substr(0, sizeof kFolderSwitch - 1), kFolderSwitch) &&
                   name.size() > sizeof kFolderSwitch - 1 && parsed.packageFolder.empty()) {
            parsed.packageFolder = name.substr(sizeof kFolderSwitch - 1);
        } else {
            return refuse(argument);
        }
    }
    return parsed;
}

}  // namespace kestrone::updater
