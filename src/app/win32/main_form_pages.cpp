// The scan, process and tools pages with their controls.
#include <windows.h>
#include <commctrl.h>

#include "check_list.h"
#include "control_ids.h"
#include "main_form.h"

namespace kestrone::app {

namespace {
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kGroup = BS_GROUPBOX;

HWND MakeStatusBar(HWND page, int id, HFONT font, const std::vector<int>& rightEdges) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0,
                               0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    SendMessageA(bar, WM_SIZE, 0, 0);
    return bar;
}

void AddColumn(HWND list, int index, const char* caption, int width, int format) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(caption);
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}
}  // namespace

void TMainForm::CreateScanPage(HWND page) {
    Control(page, "STATIC", "Scan targets:", 0, 10, 10, 200, 15, -1);
    HWND targets = Control(page, WC_LISTVIEWA, "",
                           WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                               LVS_SHOWSELALWAYS,
                           10, 28, 250, 60, kChklstSelScan, nullptr, WS_EX_CLIENTEDGE);
    MakeCheckList(targets, 225);
    SetCheckListItems(targets, {"Operating Memory", "Local Drives", "Removable Media"});
    HWND start = Control(page, "BUTTON", "Start", kButton, 270, 28, 80, 26, kButton1);
    AddTooltip(start, "Scan Virus");
    Control(page, "BUTTON", "Stop", kButton, 270, 62, 80, 26, kButton2);
    Control(page, "EDIT", "",
            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 10, 96, 340, 148,
            kMemo1, nullptr, WS_EX_CLIENTEDGE);
    HWND bar = MakeStatusBar(page, kStatusBar1, static_cast<HFONT>(formFont_.get()), {55, -1});
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("\t "));
}

void TMainForm::CreateProcessPage(HWND page) {
    HWND list = Control(page, WC_LISTVIEWA, "",
                        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 6, 6, 349, 224,
                        kListView1, nullptr, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, "Process Name", 95, LVCFMT_LEFT);
    AddColumn(list, 1, "Status", 100, LVCFMT_CENTER);
    AddColumn(list, 2, "              Path", 195, LVCFMT_LEFT);
    Control(page, "BUTTON", "&Close", kButton, 198, 237, 75, 25, kButton9);
    HWND trust = Control(page, "BUTTON", "&Trust", kButton, 280, 237, 75, 25, kButton10);
    AddTooltip(trust, "Trust selected process");

    popupMenu1_ = CreateMenu();
    HMENU items = CreatePopupMenu();
    AppendMenuA(items, MF_STRING, kN15, "Open containing folder");
    AppendMenuA(items, MF_STRING, kN16, "Close");
    AppendMenuA(items, MF_STRING, kN17, "Inquire");
    AppendMenuA(popupMenu1_, MF_POPUP, reinterpret_cast<UINT_PTR>(items), "PopupMenu1");
}

void TMainForm::CreateToolsPage(HWND page) {
    Control(page, "BUTTON", " UnLock USB Devices ", kGroup, 6, 2, 349, 118, -1);
    Control(page, "STATIC",
            "  When you want to remove your USB disk, sometimes \r\n"
            "the disk may be locked by application,and system will\r\n"
            "give you a message:The device 'Generic volume'can't be\r\n"
            "stopped right now.You can try to click UnLock to solve.",
            0, 14, 20, 334, 62, -1);
    HWND unlock = Control(page, "BUTTON", "Unlock", kButton, 268, 86, 80, 27, kBitBtn1);
    BUTTON_IMAGELIST images{};
    unlockImages_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    images.himl = unlockImages_;
    ImageList_AddIcon(images.himl, smallIcon_);
    images.margin = RECT{2, 0, 4, 0};
    images.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
    SendMessageA(unlock, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));

    Control(page, "BUTTON", " USB Devices Security ", kGroup, 6, 124, 349, 122, -1);
    Control(page, "STATIC", "This function can prevent theft of information", 0, 16, 142, 326, 15, -1);
    Control(page, "BUTTON", "Disable usage of any usb storage devices ", kCheckBox, 16, 162, 326, 18,
            kCheckBox6);
    Control(page, "BUTTON", "Disable writing data to the usb storage devices", kCheckBox, 16, 184,
            326, 18, kCheckBox7);
    Control(page, "BUTTON", " Apply", kButton, 268, 212, 80, 27, kBitBtn2);
    HWND bar = MakeStatusBar(page, kStatusBar2, static_cast<HFONT>(formFont_.get()), {60, -1});
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(" Status:"));
}

}  // namespace kestrone::app
