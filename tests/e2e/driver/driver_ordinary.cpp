// "start-ordinary FOLDER COMMAND-LINE": starts a program with the ordinary
// rights of the user (the linked, unelevated token), as Windows starts a tray
// program at log-on with user account control on. Wine starts every program
// elevated, so this is how a scenario gets an instance that must ask for
// administrator rights. Prints the process id; does not wait.
#include "driver_ordinary.h"

#include <cstdio>

namespace {

struct Handle {
    HANDLE value = nullptr;
    ~Handle() {
        if (value) CloseHandle(value);
    }
};

}  // namespace

int StartOrdinary(const std::string& folder, const std::string& commandLine) {
    Handle own, primary;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own.value)) return 2;
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!GetTokenInformation(own.value, TokenLinkedToken, &linked, sizeof linked, &size)) return 2;
    Handle linkedToken{linked.LinkedToken};
    if (!DuplicateTokenEx(linked.LinkedToken, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                          TokenPrimary, &primary.value))
        return 2;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string line = commandLine;
    if (!CreateProcessAsUserA(primary.value, nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &started))
        return 1;
    std::printf("pid=%lu\n", static_cast<unsigned long>(started.dwProcessId));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}
