// What the policies say, and how they outrank the settings file. The rule:
// the computer's policy wins, then the user's policy (for the policies a
// user's policy may set), then the settings file. A value of the wrong type
// or outside the accepted range is no policy at all: it is passed over as
// if it were not there, so a typing mistake in a policy never switches the
// protection off.
#pragma once

#include <cstdint>
#include <string>

#include "core/policy_table.h"

namespace kestrone {

// A registry value as found, before it is judged.
struct RawPolicyValue {
    bool present = false;
    uint32_t type = 0;  // the registry type (REG_DWORD, REG_SZ, ...)
    uint32_t number = 0;
    std::string text;
};

// A policy's verdict: set or not, and its value.
struct PolicySetting {
    bool set = false;
    uint32_t number = 0;
    std::string text;
};

// Whether a value found in the registry is a valid value of the policy.
bool AcceptPolicyValue(const PolicyInfo& info, const RawPolicyValue& raw, PolicySetting& setting);
// The precedence itself.
PolicySetting ResolvePolicy(const PolicyInfo& info, const RawPolicyValue& machine,
                            const RawPolicyValue& user);

// The policy as this machine's registry holds it.
RawPolicyValue ReadRawPolicyValue(uint32_t root, const std::string& valueName);
PolicySetting ReadPolicy(PolicyId id);
bool IsSetByPolicy(PolicyId id);

// The value in force: the policy's when it is set, else the one from the
// settings file (or wherever the caller found it).
int32_t PolicyNumberOr(PolicyId id, int32_t otherwise);
bool PolicyBoolOr(PolicyId id, bool otherwise);
std::string PolicyTextOr(PolicyId id, const std::string& otherwise);

}  // namespace kestrone
