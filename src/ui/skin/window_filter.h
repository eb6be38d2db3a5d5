// Which windows the skin manager skins, and with which skin: the facts the
// window code gathers about a window, the decision, and the choice among the
// registered TSkinData components.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/skin_data.h"

namespace kestrone {

// The tag that keeps a window away from the skin whatever DisableTag says.
inline constexpr int kNeverSkinTag = 99;

// Class names of other component libraries' windows the manager leaves alone:
// the popup editing window of one library and the report windows of another
// (recognised by their prefix).
inline constexpr std::string_view kForeignPopupEditClass = "PopupEditWindow";
inline constexpr std::string_view kReportClassPrefix = "Tfrx";

struct WindowCandidate {
    bool answersSkinQuery = false;  // already skinned by someone (message 0x3523)
    bool listed = false;            // already in the manager's list
    bool isChild = false;
    std::string parentClass;
    bool ownModule = false;      // created with the program's own module
    bool frameworkForm = false;  // a form object of the program stands behind it
    std::string className;
    bool emptyRect = false;
    bool mdiChild = false;
    int tag = 0;
    uint32_t style = 0;
};

// OnFormSkin: may veto a window by its class name.
using FormSkinHandler = std::function<void(const std::string& className, bool& doSkin)>;

// Whether an active manager skins the window. `skinningAll` is set while the
// manager skins every form of the program (then child windows count too).
bool ShouldSkinWindow(const WindowCandidate& window, bool skinningAll, TSkinOptionSet options,
                      TSkinControlSet controls, const FormSkinHandler& onFormSkin);

// A registered TSkinData as the choice sees it.
struct RegisteredSkin {
    TSkinFormType type = TSkinFormType::sfMainform;
    uintptr_t ownerWindow = 0;  // the form whose component it is
    bool loaded = false;
};

// Index of the skin for a window, or -1 when none (or the chosen one has no
// loaded skin).
int ChooseSkinData(const std::vector<RegisteredSkin>& skins, uintptr_t window,
                   std::string_view className);

}  // namespace kestrone
