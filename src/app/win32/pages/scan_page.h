// TabSheet1, the scan page: the three scan targets, Start and Stop, the
// report box that is only ever appended to, and the status bar that shows
// "Scanning"/"Stop" and the file being examined.
#pragma once

#include <memory>

#include "app/scan_command.h"
#include "page_kit.h"

namespace kestrone::app {

class ScanPage : public FormPage {
public:
    ScanPage(PageKit& kit, HWND page);

    bool OnCommand(int id, int notification) override;
    void CheckAllTargets();

    bool StopRequested() const { return scan_->FStopRequested; }
    bool Busy() const { return scan_->Busy(); }
    void ShowProgress(const std::string& path);
    void AddReportLine(const std::string& line);

private:
    ScanTargets CheckedTargets() const;
    void SetStatus(int panel, const std::string& text);
    void OfferElevatedRepeat(int refused);

    std::unique_ptr<OnDemandScan> scan_;
    ScanTargets lastTargets_;
};

}  // namespace kestrone::app
