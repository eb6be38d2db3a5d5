// Reading a shortcut from disk: a bounded read, then the parser.
#include <algorithm>

#include "platform/files.h"
#include "platform/processes.h"
#include "scan/shell_link.h"

namespace kestrone {

namespace {
std::string SystemWideToAnsi(const std::u16string& text) {
    return platform::WideToAnsi(text);
}
}  // namespace

bool ReadShellLink(const std::string& path, ShellLink& link) {
    platform::FileStream file;
    if (!file.Open(path, platform::FileStream::Mode::Read)) return false;
    int64_t size = file.Size();
    if (size <= 0) return false;
    std::string bytes(static_cast<size_t>(std::min<int64_t>(size, kMaxShortcutBytes)), '\0');
    size_t total = 0;
    for (size_t n;
         total < bytes.size() && (n = file.Read(&bytes[total], bytes.size() - total)) > 0;) {
        total += n;
    }
    bytes.resize(total);
    return ParseShellLink(bytes, link, SystemWideToAnsi);
}

}  // namespace kestrone
