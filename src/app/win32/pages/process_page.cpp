#include "process_page.h"

#include "control_ids.h"
#include "list_view.h"
#include "platform/files.h"
#include "platform/shell_exec.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"
#include "scan/process_lists.h"
#include "win_support.h"

namespace kestrone::app {

ProcessPage::ProcessPage(PageKit& kit, HWND page) : FormPage(kit, page) {
    HWND list = kit.Control(page, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 6, 6, 349,
                            224, kListView1, nullptr, WS_EX_CLIENTEDGE);
    kit.Anchor(list, kGrowBoth);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                                LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    AddColumn(list, 0, "Process Name", 95, LVCFMT_LEFT);
    AddColumn(list, 1, "Status", 100, LVCFMT_CENTER);
    AddColumn(list, 2, "              Path", 195, LVCFMT_LEFT);
    kit.Anchor(kit.Control(page, "BUTTON", "&Close", kPushButton, 198, 237, 75, 25, kButton9),
               kFollowCorner);
    HWND trust = kit.Control(page, "BUTTON", "&Trust", kPushButton, 280, 237, 75, 25, kButton10);
    kit.Anchor(trust, kFollowCorner);
    kit.AddTooltip(trust, "Trust selected process");

    popupMenu1_ = CreatePopupMenu();
    AppendMenuW(popupMenu1_, MF_STRING, kN15, LocalizedWide("Open containing folder").c_str());
    AppendMenuW(popupMenu1_, MF_STRING, kN16, LocalizedWide("Close").c_str());
    AppendMenuW(popupMenu1_, MF_STRING, kN17, LocalizedWide("Inquire").c_str());
}

ProcessPage::~ProcessPage() {
    if (popupMenu1_) DestroyMenu(popupMenu1_);
}

void ProcessPage::FillProcessList() {
    rows_ = ReadProcessRows();
    ShowRows();
}

void ProcessPage::ShowRows() {
    HWND list = Item(kListView1);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    int index = 0;
    for (const ProcessRow& row : rows_) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(row.name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetLocalizedCell(list, index, 1, row.status);
        SetCell(list, index, 2, row.path);
        if (row.checked) ListView_SetCheckState(list, index, TRUE);
        ++index;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ProcessPage::ReadChecks() {
    HWND list = Item(kListView1);
    for (size_t index = 0; index < rows_.size(); ++index)
        rows_[index].checked = ListView_GetCheckState(list, static_cast<int>(index)) != 0;
}

int ProcessPage::FocusedRow() const {
    int row = ListView_GetNextItem(Item(kListView1), -1, LVNI_SELECTED);
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? row : -1;
}

bool ProcessPage::OnCommand(int id, int /*notification*/) {
    switch (id) {
    case kButton9: Button9Click(); return true;
    case kButton10: Button10Click(); return true;
    case kN15: N15Click(); return true;
    case kN16: N16Click(); return true;
    case kN17: N17Click(); return true;
    }
    return false;
}

bool ProcessPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != kListView1) return false;
    switch (header.code) {
    case NM_RCLICK: {
        POINT cursor;
        GetCursorPos(&cursor);
        TrackPopupMenu(popupMenu1_, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, kit_.Form(), nullptr);
        result = 0;
        return true;
    }
    case LVN_COLUMNCLICK:
        ReadChecks();
        sort_.ColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem, rows_);
        ShowRows();
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        result = PaintRow(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        return true;
    }
    return false;
}

// Even rows get a light grey background; the default drawing does the rest.
LRESULT ProcessPage::PaintRow(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec % 2 == 0)
        draw.clrTextBk = RGB(240, 240, 240);
    return CDRF_DODEFAULT;
}

void ProcessPage::Button9Click() {
    ReadChecks();
    TextList names = CheckedNames(rows_);
    TextList terminated = KillProcessesByName(names, KillNames::Literal);
    kit_.Prompt(CloseResultMessage(names.size(), terminated.size()));
    FillProcessList();
}

void ProcessPage::Button10Click() {
    ReadChecks();
    AddTrustedProcesses(CheckedPaths(rows_));
    FillProcessList();
}

void ProcessPage::N15Click() {
    int row = FocusedRow();
    if (row < 0) return;
    const std::string& path = rows_[static_cast<size_t>(row)].path;
    if (path.empty() || !platform::FileExists(path)) return;
    platform::RunCommandLine(OpenContainingFolderCommand(path), platform::kShowNormal);
}

void ProcessPage::N16Click() {
    int row = FocusedRow();
    if (row < 0) return;
    std::string name = rows_[static_cast<size_t>(row)].name;
    KillProcessesByName({name}, KillNames::Literal);
    kit_.Prompt(PopupCloseMessage(IsProcessRunning(name)));
    FillProcessList();
}

void ProcessPage::N17Click() {
    ReadChecks();
    for (const std::string& name : InquireNames(rows_, FocusedRow()))
        platform::ShellExecuteFile(reinterpret_cast<uintptr_t>(kit_.Form()), "Open",
                                   InquireRequest(name), "", "", platform::kShowNormal);
}

}  // namespace kestrone::app
