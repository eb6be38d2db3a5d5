#include "scan/autorun.h"

#include "platform/profile.h"

namespace kestrone {

bool ExtractLaunchTarget(const std::string& line, std::string& target) {
    std::string upper = UpperCase(line);
    if (upper.find("COMMAND") == std::string::npos &&
        upper.find("SHELLEXECUTE") == std::string::npos) {
        return false;
    }
    size_t equals = line.find('=');
    std::string value = Trim(equals == std::string::npos ? std::string() : line.substr(equals + 1));
    // A script started through the script host names the script itself.
    size_t host = LowerCase(value).find("wscript.exe");
    if (host != std::string::npos) {
        value.erase(host, 11);
        value = Trim(value);
    }
    size_t blank = value.find(' ');
    if (blank != std::string::npos) value.resize(blank);  // arguments are dropped
    if (StartsWith(value, ".\\")) value.erase(0, 2);
    target = value;
    return true;
}

TextList ParseAutorunInf(const std::string& driveRoot) {
    TextList paths;
    std::string inf = driveRoot + kAutorunFileName;
    // Key names, then each value through the profile functions: trimmed,
    // stripped of enclosing quotes and cut to 2047 characters, as Windows reads it.
    for (const std::string& key : platform::ReadProfileKeyNames("Autorun", inf)) {
        std::string line = key + "=" + platform::ReadProfileValue("Autorun", key, "", inf);
        std::string target;
        if (!ExtractLaunchTarget(line, target)) continue;
        std::string path = driveRoot + target;
        if (IndexOfText(paths, path) < 0) paths.push_back(path);
    }
    paths.push_back(inf);
    return paths;
}

}  // namespace kestrone
