#include "core/policy_values.h"

#include "platform/registry.h"

namespace kestrone {

bool AcceptPolicyValue(const PolicyInfo& info, const RawPolicyValue& raw, PolicySetting& setting) {
    if (!raw.present) return false;
    if (info.kind == PolicyKind::Number) {
        if (raw.type != platform::kRegDword) return false;
        if (raw.number < info.lowest || raw.number > info.highest) return false;
        setting = PolicySetting{true, raw.number, std::string()};
        return true;
    }
    if (raw.type != platform::kRegSz && raw.type != platform::kRegExpandSz) return false;
    if (raw.text.find_first_not_of(" \t") == std::string::npos) return false;  // nothing said
    setting = PolicySetting{true, 0, raw.text};
    return true;
}

PolicySetting ResolvePolicy(const PolicyInfo& info, const RawPolicyValue& machine,
                            const RawPolicyValue& user) {
    PolicySetting setting;
    if (AcceptPolicyValue(info, machine, setting)) return setting;
    if (info.scope == PolicyScope::MachineThenUser && AcceptPolicyValue(info, user, setting))
        return setting;
    return PolicySetting{};
}

RawPolicyValue ReadRawPolicyValue(uint32_t root, const std::string& valueName) {
    RawPolicyValue raw;
    platform::RegistryKey key;
    if (!key.OpenForReading(root, kPolicyKeyPath)) return raw;
    if (!key.ValueType(valueName, raw.type)) return raw;
    raw.present = true;
    if (raw.type == platform::kRegDword)
        key.ReadDword(valueName, raw.number);
    else if (raw.type == platform::kRegSz || raw.type == platform::kRegExpandSz)
        key.TryReadString(valueName, raw.text);
    return raw;
}

PolicySetting ReadPolicy(PolicyId id) {
    const PolicyInfo& info = PolicyInfoOf(id);
    RawPolicyValue machine = ReadRawPolicyValue(platform::kHkeyLocalMachine, info.valueName);
    RawPolicyValue user;
    if (info.scope == PolicyScope::MachineThenUser)
        user = ReadRawPolicyValue(platform::kHkeyCurrentUser, info.valueName);
    return ResolvePolicy(info, machine, user);
}

bool IsSetByPolicy(PolicyId id) { return ReadPolicy(id).set; }

int32_t PolicyNumberOr(PolicyId id, int32_t otherwise) {
    PolicySetting setting = ReadPolicy(id);
    return setting.set ? static_cast<int32_t>(setting.number) : otherwise;
}

bool PolicyBoolOr(PolicyId id, bool otherwise) {
    PolicySetting setting = ReadPolicy(id);
    return setting.set ? setting.number != 0 : otherwise;
}

std::string PolicyTextOr(PolicyId id, const std::string& otherwise) {
    PolicySetting setting = ReadPolicy(id);
    return setting.set ? setting.text : otherwise;
}

}  // namespace kestrone
