#include "driver_files.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <cstdio>

namespace {

std::wstring Wide(const std::string& utf8) {
    wchar_t text[2048] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text, 2048);
    return text;
}

// Writes a shortcut as Explorer does: IShellLink, saved through IPersistFile.
int MakeShortcut(const std::string& link, const std::string& target, const std::string& arguments) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellLinkW* shell = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(&shell));
    if (SUCCEEDED(result)) result = shell->SetPath(Wide(target).c_str());
    if (SUCCEEDED(result)) result = shell->SetArguments(Wide(arguments).c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(result))
        result = shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) result = file->Save(Wide(link).c_str(), TRUE);
    if (file) file->Release();
    if (shell) shell->Release();
    CoUninitialize();
    std::printf("shortcut=%s\nresult=0x%08lx\n", link.c_str(), static_cast<unsigned long>(result));
    return SUCCEEDED(result) ? 0 : 1;
}

// Shows a path's attributes; "+hs" sets hidden and system, "-hs" clears them.
int Attributes(const std::string& path, const std::string& change) {
    std::wstring wide = Wide(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        std::printf("attributes=none\n");
        return 1;
    }
    constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (change == "+hs" || change == "-hs") {
        DWORD wanted = change == "+hs" ? attributes | kHiddenSystem : attributes & ~kHiddenSystem;
        if (!SetFileAttributesW(wide.c_str(), wanted)) return 1;
        attributes = GetFileAttributesW(wide.c_str());
    }
    std::printf("attributes=0x%lx\nhidden=%d\nsystem=%d\n", static_cast<unsigned long>(attributes),
                (attributes & FILE_ATTRIBUTE_HIDDEN) ? 1 : 0,
                (attributes & FILE_ATTRIBUTE_SYSTEM) ? 1 : 0);
    return 0;
}

}  // namespace

int FileCommand(const std::vector<std::string>& arguments) {
    const std::string command = arguments.size() > 1 ? arguments[1] : "";
    if (command == "shortcut" && arguments.size() > 4)
        return MakeShortcut(arguments[2], arguments[3], arguments[4]);
    if (command == "attributes" && arguments.size() > 2)
        return Attributes(arguments[2], arguments.size() > 3 ? arguments[3] : "");
    return kNotAFileCommand;
}
