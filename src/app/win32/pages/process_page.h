// TabSheet7, the process manager: every running process with its state and
// path, sortable by column, with Close, Trust and the list's popup menu
// (Open containing folder, Close, Inquire).
#pragma once

#include <vector>

#include "app/process_manager.h"
#include "page_kit.h"

namespace kestrone::app {

class ProcessPage : public FormPage {
public:
    ProcessPage(PageKit& kit, HWND page);
    ~ProcessPage() override;

    void OnShow() override { FillProcessList(); }
    bool OnCommand(int id, int notification) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

    void FillProcessList();

private:
    void ShowRows();
    void ReadChecks();
    int FocusedRow() const;
    LRESULT PaintRow(NMLVCUSTOMDRAW& draw);
    void Button9Click();
    void Button10Click();
    void N15Click();
    void N16Click();
    void N17Click();

    std::vector<ProcessRow> rows_;
    ProcessSort sort_;
    HMENU popupMenu1_ = nullptr;
};

}  // namespace kestrone::app
