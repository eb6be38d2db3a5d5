#include "driver_controls.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// A control of the main window, else of a visible dialog box (the unlock's list).
BOOL CALLBACK SearchDialog(HWND window, LPARAM context) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    EnumChildWindows(window, FindById, context);
    return reinterpret_cast<Search*>(context)->found ? FALSE : TRUE;
}

HWND FindControl(HWND main, int id) {
    Search search{id, nullptr};
    if (main) EnumChildWindows(main, FindById, reinterpret_cast<LPARAM>(&search));
    if (!search.found) EnumWindows(SearchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A block of memory inside the process that owns a window.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool Ok() const { return address_ != nullptr; }
    char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(process_, At(offset), data, size, nullptr) != 0;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, At(offset), data, size, nullptr) != 0;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

constexpr SIZE_T kTextOffset = 512;
constexpr int kTextSize = 1024;

std::string CellText(HWND list, const RemoteBuffer& buffer, int row, int column) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.At(kTextOffset);
    item.cchTextMax = kTextSize;
    buffer.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.At(0)));
    char text[kTextSize] = {};
    buffer.Read(kTextOffset, text, kTextSize - 1);
    return text;
}

int ListRows(HWND list) {
    RemoteBuffer buffer(list, kTextOffset + kTextSize);
    if (!buffer.Ok()) return 1;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    if (columns < 1) columns = 1;
    int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        std::string line = "row=" + std::to_string(row);
        for (int column = 0; column < columns; ++column) line += "|" + CellText(list, buffer, row, column);
        UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        line += (state >> 12) == 2 ? "|checked" : "|unchecked";
        std::printf("%s\n", line.c_str());
    }
    std::printf("rows=%d\n", rows);
    return 0;
}

int SetItemState(HWND list, int row, UINT state, UINT mask) {
    RemoteBuffer buffer(list, sizeof(LVITEMA));
    if (!buffer.Ok()) return 1;
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    buffer.Write(0, &item, sizeof item);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(buffer.At(0)),
                        SMTO_NORMAL, 5000, &result);
    return result ? 0 : 1;
}

int StatusText(HWND bar, int panel) {
    RemoteBuffer buffer(bar, kTextSize);
    if (!buffer.Ok()) return 1;
    SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(buffer.At(0)));
    char text[kTextSize] = {};
    buffer.Read(0, text, kTextSize - 1);
    std::printf("status=%s\n", text);
    return 0;
}

int Running(const std::string& name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0) ++count;
    CloseHandle(snapshot);
    std::printf("running=%d\n", count);
    return 0;
}

}  // namespace

int ControlCommand(HWND main, const std::vector<std::string>& arguments) {
    if (arguments.size() < 3) return kNotAControlCommand;
    const std::string& command = arguments[1];
    if (command == "running") return Running(arguments[2]);
    int id = std::atoi(arguments[2].c_str());
    if (command == "command") return main && PostMessageA(main, WM_COMMAND, id, 0) ? 0 : 1;
    bool known = command == "click" || command == "check" || command == "text" ||
                 command == "lv-rows" || command == "lv-check" || command == "lv-select" ||
                 command == "lb-select" || command == "status" || command == "state" ||
                 command == "size";
    if (!known) return kNotAControlCommand;
    HWND control = FindControl(main, id);
    if (!control) {
        std::printf("control=none\n");
        return 1;
    }
    int number = arguments.size() > 3 ? std::atoi(arguments[3].c_str()) : 0;
    int flag = arguments.size() > 4 ? std::atoi(arguments[4].c_str()) : 0;
    if (command == "click") return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == "check") {
        SendMessageA(control, BM_SETCHECK, number ? BST_CHECKED : BST_UNCHECKED, 0);
        return 0;
    }
    if (command == "text") {
        static char text[65536];
        DWORD_PTR length = 0;
        SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_NORMAL, 5000, &length);
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "state") {
        std::printf("enabled=%d\nvisible=%d\nchecked=%d\n", IsWindowEnabled(control) ? 1 : 0,
                    IsWindowVisible(control) ? 1 : 0,
                    SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (command == "size") {
        RECT box;
        GetWindowRect(control, &box);
        std::printf("size=%ld,%ld\n", box.right - box.left, box.bottom - box.top);
        return 0;
    }
    if (command == "lv-rows") return ListRows(control);
    if (command == "lv-check") return SetItemState(control, number, INDEXTOSTATEIMAGEMASK(flag ? 2 : 1), LVIS_STATEIMAGEMASK);
    if (command == "lv-select")
        return SetItemState(control, number, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (command == "lb-select") return SendMessageA(control, LB_SETCURSEL, number, 0) == number ? 0 : 1;
    if (command == "status") return StatusText(control, number);
    return kNotAControlCommand;
}
