// The History page: the quarantine list with Restore and Delete, and below
// it the scan history with Undo for a recorded system change and Export.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "page_kit.h"

namespace kestrone::app {

class QuarantinePage : public FormPage {
  public:
    QuarantinePage(PageKit& kit, HWND page);

    void OnShow() override;
    bool OnCommand(int id, int notification) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

  private:
    void FillQuarantine();
    void FillHistory();
    // The number of the selected entry; 0 when none is selected.
    uint32_t SelectedEntry() const;
    void RestoreClick();
    void DeleteClick();
    void ExportClick();
    void UndoClick();
    bool Ask(const std::string& question) const;
    // The line under the lists: the whole text of the row just selected.
    void ShowDetails(int listId);

    std::vector<uint32_t> numbers_;  // entry numbers by row
    std::vector<std::string> quarantineDetails_;  // by row
    std::vector<std::string> historyLines_;       // by row, as History.log has them
};

}  // namespace kestrone::app
