#include "core/user_settings.h"

#include "core/definitions.h"
#include "core/policy_values.h"

namespace kestrone {

int32_t ReadUserChoice() {
    return PolicyNumberOr(PolicyId::ThreatAction,
                          ReadDataInteger(kSettingsSection, "UserChoice", kActionCleanAndOpen,
                                          kUserSettingsFile));
}

void WriteUserChoice(int32_t choice) {
    WriteDataInteger(kSettingsSection, "UserChoice", choice, kUserSettingsFile);
}

bool ReadNeedShowSelDiag() {
    return PolicyBoolOr(PolicyId::AskBeforeAction,
                        ReadDataBool(kSettingsSection, "NeedShowSelDiag", true, kUserSettingsFile));
}

void WriteNeedShowSelDiag(bool show) {
    WriteDataBool(kSettingsSection, "NeedShowSelDiag", show, kUserSettingsFile);
}

bool ReadBlockPlugInstall() {
    return ReadDataBool(kSettingsSection, "BlockPlugInstall", false, kUserSettingsFile);
}

void WriteBlockPlugInstall(bool block) {
    WriteDataBool(kSettingsSection, "BlockPlugInstall", block, kUserSettingsFile);
}

bool ReadGuardDrives() {
    return PolicyBoolOr(PolicyId::GuardDrives,
                        ReadDataBool(kSettingsSection, "GuardDrives", true, kUserSettingsFile));
}

void WriteGuardDrives(bool guard) {
    WriteDataBool(kSettingsSection, "GuardDrives", guard, kUserSettingsFile);
}

namespace {
constexpr char kWindowSection[] = "Window";
}

StoredWindowSize ReadWindowSize() {
    return {ReadDataInteger(kWindowSection, "Width", 0, kUserSettingsFile),
            ReadDataInteger(kWindowSection, "Height", 0, kUserSettingsFile)};
}

void WriteWindowSize(StoredWindowSize size) {
    WriteDataInteger(kWindowSection, "Width", size.width, kUserSettingsFile);
    WriteDataInteger(kWindowSection, "Height", size.height, kUserSettingsFile);
}

bool ActionCleans(int32_t action) {
    return action == kActionCleanOnly || action == kActionCleanAndOpen;
}

bool ActionOpens(int32_t action) {
    return action == kActionOpenOnly || action == kActionCleanAndOpen;
}

}  // namespace kestrone
