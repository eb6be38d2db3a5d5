// TabSheet2, the immunity page: the autorun policy switch, the drives to
// immunise, Apply and Cancel.
#pragma once

#include "page_kit.h"

namespace kestrone::app {

class ImmunityPage : public FormPage {
public:
    ImmunityPage(PageKit& kit, HWND page);

    void OnShow() override;  // TabSheet2Show
    bool OnCommand(int id, int notification) override;

private:
    void CheckBox2Click();
    void Button3Click();
    void Button4Click();
};

}  // namespace kestrone::app
