#include "quarantine_page.h"

#include <commdlg.h>

#include "app/history_view.h"
#include "app/quarantine_view.h"
#include "control_ids.h"
#include "list_view.h"
#include "core/history_log.h"
#include "core/quarantine_store.h"
#include "core/undo_log.h"
#include "win_support.h"

namespace kestrone::app {

QuarantinePage::QuarantinePage(PageKit& kit, HWND page) : FormPage(kit, page) {
    HWND list = kit.Control(page, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 6, 4, 349,
                            84, kQuarantineList, nullptr, WS_EX_CLIENTEDGE);
    kit.Anchor(list, kGrowWidth);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    AddColumn(list, 0, "File", 150);
    AddColumn(list, 1, "Reason", 90);
    AddColumn(list, 2, "Time", 115);
    AddColumn(list, 3, "Copy", 80);
    kit.Anchor(kit.Control(page, "STATIC", "", SS_LEFT | SS_CENTERIMAGE, 8, 92, 186, 23,
                           kQuarantineSummary),
               kGrowWidth);
    kit.Anchor(kit.Control(page, "BUTTON", "&Restore", kPushButton, 198, 92, 75, 23,
                           kQuarantineRestore),
               kFollowRight);
    kit.Anchor(kit.Control(page, "BUTTON", "&Delete", kPushButton, 280, 92, 75, 23,
                           kQuarantineDelete),
               kFollowRight);
    HWND history = kit.Control(page, WC_LISTVIEWA, "",
                               WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 6, 120,
                               349, 86, kHistoryList, nullptr, WS_EX_CLIENTEDGE);
    kit.Anchor(history, kGrowBoth);
    ListView_SetExtendedListViewStyle(history,
                                      LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
    AddColumn(history, 0, "Time", 112);
    AddColumn(history, 1, "Action", 60);
    AddColumn(history, 2, "Result", 90);
    AddColumn(history, 3, "Path", 120);
    // The whole of the selected line, whatever the columns cut.
    kit.Anchor(kit.Control(page, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 8, 208, 347,
                           30, kHistoryDetails),
               kGrowWidth | kFollowBottom);
    kit.Anchor(kit.Control(page, "BUTTON", "&Undo", kPushButton, 198, 240, 75, 23, kHistoryUndo),
               kFollowCorner);
    kit.Anchor(kit.Control(page, "BUTTON", "&Export...", kPushButton, 280, 240, 75, 23,
                           kHistoryExport),
               kFollowCorner);
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
    quarantineDetails_.clear();
    // Newest first: the file just removed is the one most likely wanted back.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        QuarantineRow row = RowOfEntry(*it);
        AddRow(list, static_cast<int>(numbers_.size()), {row.file, row.reason, row.time, row.copy});
        numbers_.push_back(it->number);
        quarantineDetails_.push_back(row.file + "  (" + row.reason + ", " + row.time + ", " +
                                     row.copy + ")");
    }
    FitColumns(list, 4);
    if (!numbers_.empty())
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetWindowTextA(Item(kQuarantineSummary), QuarantineSummary(entries).c_str());
}

void QuarantinePage::FillHistory() {
    HWND list = Item(kHistoryList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    historyLines_ = ReadHistory();
    for (size_t index = 0; index < historyLines_.size(); ++index) {
        HistoryRow row = ParseHistoryLine(historyLines_[index]);
        AddRow(list, static_cast<int>(index), {row.time, row.action, row.result, row.path});
        SetLocalizedCell(list, static_cast<int>(index), 1, row.action);
    }
    FitColumns(list, 4);
    // The newest line is the last: in view, and the one the details show.
    if (!historyLines_.empty()) {
        int last = static_cast<int>(historyLines_.size()) - 1;
        ListView_EnsureVisible(list, last, FALSE);
        ListView_SetItemState(list, last, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    ShowDetails(kHistoryList);
}

uint32_t QuarantinePage::SelectedEntry() const {
    int row = ListView_GetNextItem(Item(kQuarantineList), -1, LVNI_SELECTED);
    return row >= 0 && row < static_cast<int>(numbers_.size()) ? numbers_[row] : 0;
}

bool QuarantinePage::Ask(const std::string& question) const {
    return kit_.Ask(question);
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

bool QuarantinePage::OnNotify(const NMHDR& header, LRESULT& /*result*/) {
    if (header.code != LVN_ITEMCHANGED ||
        (header.idFrom != kHistoryList && header.idFrom != kQuarantineList))
        return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.uNewState & LVIS_SELECTED) ShowDetails(static_cast<int>(header.idFrom));
    return true;
}

void QuarantinePage::ShowDetails(int listId) {
    int row = SelectedRow(Item(listId));
    const std::vector<std::string>& texts = listId == kHistoryList ? historyLines_ : quarantineDetails_;
    std::string text = row >= 0 && row < static_cast<int>(texts.size()) ? texts[row] : "";
    SetWindowTextA(Item(kHistoryDetails), text.c_str());
}

void QuarantinePage::UndoClick() {
    int row = SelectedRow(Item(kHistoryList));
    std::string line = row >= 0 && row < static_cast<int>(historyLines_.size()) ? historyLines_[row] : "";
    uint32_t number = UndoNumberOfHistoryLine(line);
    if (number == 0) {
        kit_.Prompt("Select a line that ends in (undo N) to put that change back.");
        return;
    }
    if (!kit_.Ask(LocalizedWide("Put back what was there before this change?") + L"\r\n" +
                  AnsiToWide(line)))
        return;
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
