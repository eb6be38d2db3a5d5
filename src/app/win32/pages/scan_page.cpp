#include "scan_page.h"

#include "check_list.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "core/refusal_report.h"
#include "win_support.h"

namespace kestrone::app {

ScanPage::ScanPage(PageKit& kit, HWND page) : FormPage(kit, page) {
    kit.Control(page, "STATIC", "Scan targets:", 0, 10, 10, 200, 15, -1);
    HWND targets = kit.Control(page, WC_LISTVIEWA, "",
                               WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                   LVS_SHOWSELALWAYS,
                               10, 28, 250, 60, kChklstSelScan, nullptr, WS_EX_CLIENTEDGE);
    kit.Anchor(targets, kGrowWidth);
    MakeCheckList(targets, 225);
    SetCheckListItems(targets, {"Operating Memory", "Local Drives", "Removable Media"});
    HWND start = kit.Control(page, "BUTTON", "Start", kPushButton, 270, 28, 80, 26, kButton1);
    kit.AddTooltip(start, "Scan Virus");
    kit.Anchor(start, kFollowRight);
    kit.Anchor(kit.Control(page, "BUTTON", "Stop", kPushButton, 270, 62, 80, 26, kButton2),
               kFollowRight);
    kit.Anchor(kit.Control(page, "EDIT", "",
                           WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           10, 96, 340, 148, kMemo1, nullptr, WS_EX_CLIENTEDGE),
               kGrowBoth);
    // The report only grows; the edit control's default limit would drop lines.
    SendMessageA(Item(kMemo1), EM_SETLIMITTEXT, 0, 0);
    kit.StatusBar(page, kStatusBar1, {55, -1});
    SetStatus(0, " ");

    ScanPorts ports = EngineScanPorts();
    ports.appendLines = [this](const TextList& lines) {
        for (const std::string& line : lines) AddReportLine(line);
    };
    ports.setStatus = [this](int panel, const std::string& text) { SetStatus(panel, text); };
    ports.offerElevatedRepeat = [this](int refused) { OfferElevatedRepeat(refused); };
    scan_ = std::make_unique<OnDemandScan>(std::move(ports));
}

void ScanPage::CheckAllTargets() {
    for (int item = 0; item < 3; ++item) ListView_SetCheckState(Item(kChklstSelScan), item, TRUE);
}

ScanTargets ScanPage::CheckedTargets() const {
    HWND list = Item(kChklstSelScan);
    return ScanTargets{ListView_GetCheckState(list, 0) != 0, ListView_GetCheckState(list, 1) != 0,
                       ListView_GetCheckState(list, 2) != 0};
}

bool ScanPage::OnCommand(int id, int /*notification*/) {
    if (id == kButton1) {
        lastTargets_ = CheckedTargets();
        scan_->Start(lastTargets_);
        return true;
    }
    if (id == kButton2) {
        scan_->Stop();
        return true;
    }
    return false;
}

// The same targets again in an elevated copy; its report lines come back here.
void ScanPage::OfferElevatedRepeat(int refused) {
    if (!CanOfferElevation()) return;
    std::wstring question = AnsiToWide(RefusalLine(refused, RefusalCause::NeedsAdministrator)) +
                            L"\r\n\r\n" +
                            LocalizedWide("Repeat the scan with administrator rights?");
    if (!kit_.Ask(question)) return;
    TextList targets;
    if (lastTargets_.memory) targets.push_back("memory");
    if (lastTargets_.localDrives) targets.push_back("local");
    if (lastTargets_.removableMedia) targets.push_back("removable");
    kit_.RunAdmin(AdminTask::Scan, targets);
}

void ScanPage::SetStatus(int panel, const std::string& text) {
    // Panel 0 is centred ("\t" in front of a status-bar text centres it).
    std::string shown = panel == 0 ? "\t" + text : text;
    PageKit::SetStatusText(Item(kStatusBar1), panel, shown);
}

void ScanPage::ShowProgress(const std::string& path) { SetStatus(1, path); }

void ScanPage::AddReportLine(const std::string& line) {
    AppendHistory("Scan", line);
    HWND memo = Item(kMemo1);
    int end = GetWindowTextLengthW(memo);
    SendMessageA(memo, EM_SETSEL, end, end);
    // The history keeps the English line; the box shows the fixed lines translated.
    std::wstring text = (end > 0 ? L"\r\n" : L"") + LocalizedWide(line);
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace kestrone::app
