#include "repair_page.h"

#include "check_list.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "repair/repair_items.h"

namespace kestrone::app {

RepairPage::RepairPage(PageKit& kit, HWND page) : FormPage(kit, page) {
    HWND list = kit.Control(page, WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            6, 6, 349, 224, kCheckListBox1, nullptr, WS_EX_CLIENTEDGE);
    kit.Anchor(list, kGrowBoth);
    MakeCheckList(list, 325);
    kit.Anchor(kit.Control(page, "BUTTON", "&Check All", kPushButton, 116, 237, 75, 25, kButton7),
               kFollowCorner);
    kit.Anchor(kit.Control(page, "BUTTON", "&Uncheck All", kPushButton, 198, 237, 75, 25, kButton6),
               kFollowCorner);
    HWND apply = kit.Control(page, "BUTTON", "&Apply", kPushButton, 280, 237, 75, 25, kButton5);
    kit.Anchor(apply, kFollowCorner);
    kit.MarkElevating(apply);
}

void RepairPage::OnShow() { SetCheckListItems(Item(kCheckListBox1), ReadRepairItemNames()); }

bool RepairPage::OnCommand(int id, int /*notification*/) {
    switch (id) {
    case kButton5: Button5Click(); return true;
    case kButton6: SetAllChecked(Item(kCheckListBox1), false); return true;
    case kButton7: SetAllChecked(Item(kCheckListBox1), true); return true;
    }
    return false;
}

void RepairPage::Button5Click() {
    HWND list = Item(kCheckListBox1);
    TextList ticked;
    int count = ListView_GetItemCount(list);
    for (int index = 0; index < count; ++index) {
        if (!ListView_GetCheckState(list, index)) continue;
        char text[512] = {};
        ListView_GetItemText(list, index, 0, text, sizeof text);
        ticked.push_back(text);
    }
    if (ticked.empty()) {
        kit_.Prompt(kRepairNothingTickedMessage);
        return;
    }
    // Repairs change the machine's settings: done with administrator rights,
    // and the main window announces the change once the result is back.
    kit_.RunAdmin(AdminTask::Repair, ticked);
}

}  // namespace kestrone::app
