#include "quarantine_page.h"

#include <commdlg.h>

#include "app/quarantine_view.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "core/quarantine_store.h"
#include "core/undo_log.h"

namespace kestrone::app {

namespace {

void AddColumn(HWND list, int index, const char* caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<char*>(caption);
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

QuarantinePage::QuarantinePage(PageKit& kit, HWND page) : FormPage(kit, page) {
    HWND list = kit.Control(page, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 6, 4, 349,
                            118, kQuarantineList, nullptr, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, "File", 150);
    AddColumn(list, 1, "Reason", 90);
    AddColumn(list, 2, "Time", 115);
    AddColumn(list, 3, "Copy", 80);
    kit.Control(page, "STATIC", "", SS_LEFT | SS_CENTERIMAGE, 8, 126, 186, 23, kQuarantineSummary);
    kit.Control(page, "BUTTON", "&Restore", kPushButton, 198, 126, 75, 23, kQuarantineRestore);
    kit.Control(page, "BUTTON", "&Delete", kPushButton, 280, 126, 75, 23, kQuarantineDelete);
    kit.Control(page, "LISTBOX", "",
                WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 6, 154,
                349, 82, kHistoryList, nullptr, WS_EX_CLIENTEDGE);
    kit.Control(page, "BUTTON", "&Undo", kPushButton, 198, 240, 75, 23, kHistoryUndo);
    kit.Control(page, "BUTTON", "&Export...", kPushButton, 280, 240, 75, 23, kHistoryExport);
}

void QuarantinePage::OnShow() {
    FillQuarantine();
    FillHistory();
}

bool QuarantinePage::OnCommand(int id, int /*notification*/) {
    switch (id) {
        case kQuarantineRestore:
            RestoreClick();
            return true;
        case kQuarantineDelete:
            DeleteClick();
            return true;
        case kHistoryExport:
            ExportClick();
            return true;
        case kHistoryUndo:
            UndoClick();
            return true;
    }
    return false;
}

void QuarantinePage::FillQuarantine() {
    QuarantineStore store(QuarantineFolder());
    std::vector<QuarantineEntry> entries = store.Entries();
    if (!store.Problem().empty()) kit_.Prompt(store.Problem());
    HWND list = Item(kQuarantineList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    numbers_.clear();
    // Newest first: the file just removed is the one most likely wanted back.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        QuarantineRow row = RowOfEntry(*it);
        int index = static_cast<int>(numbers_.size());
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(row.file.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(list, index, 1, row.reason);
        SetCell(list, index, 2, row.time);
        SetCell(list, index, 3, row.copy);
        numbers_.push_back(it->number);
    }
    if (!numbers_.empty())
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetWindowTextA(Item(kQuarantineSummary), QuarantineSummary(entries).c_str());
}

void QuarantinePage::FillHistory() {
    HWND list = Item(kHistoryList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    for (const std::string& line : ReadHistory()) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        widest = std::max(widest, static_cast<int>(line.size()) * 6);
    }
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest, 0);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count > 0) SendMessageA(list, LB_SETTOPINDEX, count - 1, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

uint32_t QuarantinePage::SelectedEntry() const {
    int row = ListView_GetNextItem(Item(kQuarantineList), -1, LVNI_SELECTED);
    return row >= 0 && row < static_cast<int>(numbers_.size()) ? numbers_[row] : 0;
}

bool QuarantinePage::Ask(const std::string& question) const {
    return MessageBoxA(kit_.Form(), question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

void QuarantinePage::RestoreClick() {
    uint32_t number = SelectedEntry();
    if (number == 0) return;
    QuarantineStore store(QuarantineFolder());
    QuarantineEntry entry;
    for (const QuarantineEntry& e : store.Entries())
        if (e.number == number) entry = e;
    RestoreOutcome outcome = store.Restore(number, false);
    if (outcome == RestoreOutcome::TargetExists) {
        if (!Ask(OverwriteQuestion(entry.originalPath))) return;
        outcome = store.Restore(number, true);
    }
    if (outcome == RestoreOutcome::Restored) {
        AppendHistory("Quarantine", "Restored " + entry.originalPath);
        if (Ask(TrustQuestion(entry.originalPath, entry.fileCode))) {
            TrustFileCode(entry.fileCode);
            AppendHistory("Quarantine", "Trusted file code " + entry.fileCode);
        }
    } else {
        kit_.Prompt(RestoreMessage(outcome, entry.originalPath));
    }
    OnShow();
}

void QuarantinePage::DeleteClick() {
    uint32_t number = SelectedEntry();
    if (number == 0) return;
    if (!Ask("Delete the selected entry and its copy for good?")) return;
    if (QuarantineStore(QuarantineFolder()).Remove(number))
        AppendHistory("Quarantine", "Deleted quarantine entry " + std::to_string(number));
    OnShow();
}

void QuarantinePage::ExportClick() {
    char path[MAX_PATH] = "Kestrone history.txt";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = kit_.Form();
    dialog.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog)) return;
    if (!ExportHistory(path)) kit_.Prompt(std::string("Unable to write ") + path + ".");
}

void QuarantinePage::UndoClick() {
    HWND list = Item(kHistoryList);
    int row = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    std::string line;
    if (row >= 0) {
        line.resize(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, row, 0)) + 1);
        SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(line.data()));
        line.resize(line.size() - 1);
    }
    uint32_t number = UndoNumberOfHistoryLine(line);
    if (number == 0) {
        kit_.Prompt("Select a line that ends in (undo N) to put that change back.");
        return;
    }
    if (!Ask("Put back what was there before this change?\r\n" + line)) return;
    for (const UndoRecord& record : ReadUndoRecords()) {
        if (record.number == number && UndoNeedsAdministrator(record.root, record.kind) &&
            kit_.Elevates()) {
            // The elevated copy reads the same records; its answer comes back
            // through the main window, which refills this page.
            kit_.RunAdmin(AdminTask::Undo, {std::to_string(number)});
            return;
        }
    }
    AdminResult result = RunAdminTask({AdminTask::Undo, {std::to_string(number)}, 0});
    if (!result.lines.empty()) kit_.Prompt(result.lines.back());
    FillHistory();
}

}  // namespace kestrone::app
