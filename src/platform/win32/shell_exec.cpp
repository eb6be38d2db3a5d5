// Shell requests on the real Win32 API.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/shell_exec.h"

namespace kestrone::platform {

namespace {
const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}
}  // namespace

intptr_t ShellExecuteFile(uintptr_t ownerWindow, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) {
    HINSTANCE result =
        ShellExecuteA(reinterpret_cast<HWND>(ownerWindow), OrNull(verb), file.c_str(),
                      OrNull(parameters), OrNull(directory), showCommand);
    return reinterpret_cast<intptr_t>(result);
}

uint32_t RunCommandLine(const std::string& commandLine, int showCommand) {
    return WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
}

}  // namespace kestrone::platform
