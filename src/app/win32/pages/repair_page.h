// TabSheet3, the repair page: the repair items of the definitions as a check
// list, Check All, Uncheck All and Apply.
#pragma once

#include "page_kit.h"

namespace kestrone::app {

class RepairPage : public FormPage {
public:
    RepairPage(PageKit& kit, HWND page);

    void OnShow() override;  // TabSheet3Show: the items afresh, none ticked
    bool OnCommand(int id, int notification) override;

private:
    void Button5Click();
};

}  // namespace kestrone::app
