// The contract's hooks on the real Win32 API: scratch folders below the
// temporary folder, a held file is one opened without delete sharing.
#include <windows.h>

#include "contract/contract.h"
#include "platform/files.h"

namespace kestrone::contract {

namespace {
class Win32Hold : public FileHold {
public:
    explicit Win32Hold(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Win32Hold() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

private:
    HANDLE handle_;
};

void RemoveTree(const std::string& folder) {
    for (const platform::FolderEntry& entry : platform::ListFolder(folder + "*")) {
        std::string path = folder + entry.name;
        platform::SetAttributes(path, platform::kAttrNormal);
        if (entry.IsFolder()) {
            RemoveTree(path + "\\");
        } else {
            platform::RemoveFile(path);
        }
    }
    platform::RemoveFolder(folder);
}
}  // namespace

std::string MakeScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    std::string folder = std::string(temp) + "kestrone-contract-" +
                         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveScratchFolder(const std::string& folder) { RemoveTree(folder); }

std::unique_ptr<FileHold> HoldFile(const std::string& path) {
    return std::make_unique<Win32Hold>(path);
}

char RemovableDriveLetter() { return 'E'; }  // the test prefix maps E: as a floppy drive

}  // namespace kestrone::contract
