#include "driver_texts.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ui_text.h"

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

// A block inside Kestrone's process for the messages that fill a buffer.
class Remote {
  public:
    explicit Remote(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_)
            address_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~Remote() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;
    bool Ok() const { return address_ != nullptr; }
    char* At(SIZE_T offset) const { return address_ + offset; }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(SIZE_T offset, void* data, SIZE_T size) const {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }
    std::wstring ReadText(SIZE_T offset) const {
        wchar_t text[kChars] = {};
        ReadProcessMemory(process_, At(offset), text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }
    static constexpr SIZE_T kSize = 4096;
    static constexpr SIZE_T kTextOffset = 1024;
    static constexpr int kChars = 1024;

  private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

void ColumnCaptions(HWND list, std::vector<std::wstring>& texts) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    Remote remote(list);
    for (int column = 0; remote.Ok() && column < columns; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = reinterpret_cast<wchar_t*>(remote.At(Remote::kTextOffset));
        info.cchTextMax = Remote::kChars;
        remote.Write(0, &info, sizeof info);
        remote.Write(Remote::kTextOffset, L"", sizeof(wchar_t));
        SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(remote.At(0)));
        texts.push_back(remote.ReadText(Remote::kTextOffset));
    }
}

void ToolbarCaptions(HWND toolbar, std::vector<std::wstring>& texts) {
    int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    Remote remote(toolbar);
    for (int index = 0; remote.Ok() && index < count; ++index) {
        SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(remote.At(0)));
        TBBUTTON button{};
        remote.Read(0, &button, sizeof button);
        remote.Write(Remote::kTextOffset, L"", sizeof(wchar_t));
        SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand,
                     reinterpret_cast<LPARAM>(remote.At(Remote::kTextOffset)));
        texts.push_back(remote.ReadText(Remote::kTextOffset));
    }
}

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto& texts = *reinterpret_cast<std::vector<std::wstring>*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    std::wstring className = ClassOf(window);
    if (className == L"SysListView32") {
        ColumnCaptions(window, texts);
        return TRUE;
    }
    if (className == L"ToolbarWindow32") {
        ToolbarCaptions(window, texts);
        return TRUE;
    }
    wchar_t text[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &length);
    texts.push_back(text);
    return TRUE;
}

}  // namespace

int PageTexts(HWND main) {
    std::vector<std::wstring> texts;
    if (main) EnumChildWindows(main, Collect, reinterpret_cast<LPARAM>(&texts));
    int chinese = 0, english = 0;
    for (const std::wstring& wide : texts) {
        if (wide.find_first_not_of(L" \t\r\n") == std::wstring::npos) continue;
        bool hasChinese = false;
        for (wchar_t c : wide)
            hasChinese = hasChinese || (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
        std::string text = Utf8(wide);
        const char* mark = hasChinese ? "zh" : kestrone::IsTableEnglishText(text) ? "en" : "--";
        chinese += hasChinese ? 1 : 0;
        english += !hasChinese && kestrone::IsTableEnglishText(text) ? 1 : 0;
        std::printf("%s|%s\n", mark, text.c_str());
    }
    std::printf("zh=%d en=%d\n", chinese, english);
    return 0;
}
