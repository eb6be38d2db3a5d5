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
    MakeCheckList(list, 325);
    kit.Control(page, "BUTTON", "&Check All", kPushButton, 116, 237, 75, 25, kButton7);
    kit.Control(page, "BUTTON", "&Uncheck All", kPushButton, 198, 237, 75, 25, kButton6);
    kit.Control(page, "BUTTON", "&Apply", kPushButton, 280, 237, 75, 25, kButton5);
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
    if (!ApplyRepairItems(ticked, reinterpret_cast<uintptr_t>(kit_.Form()))) {
        kit_.Prompt(kRepairNothingTickedMessage);
        return;
    }
    // Tell every window that system settings changed; a hung window must not
    // hang us, so each gets a few seconds.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    for (const std::string& item : ticked) AppendHistory("Repair", item);
    kit_.Prompt(kRepairDoneMessage);
}

}  // namespace kestrone::app
