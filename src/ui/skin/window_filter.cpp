#include "ui/skin/window_filter.h"

#include "core/text.h"

namespace kestrone {

bool ShouldSkinWindow(const WindowCandidate& w, bool skinningAll, TSkinOptionSet options,
                      TSkinControlSet controls, const FormSkinHandler& onFormSkin) {
    if (w.answersSkinQuery || w.listed) return false;
    if (w.isChild && !SameText(w.parentClass, "mdiclient") && !skinningAll) return false;
    if (!w.frameworkForm && !w.ownModule && w.className != "#32770") return false;
    if (w.emptyRect && !w.mdiChild) return false;
    if (w.tag == kNeverSkinTag) return false;
    if (ContainsText(w.className, kForeignPopupEditClass) ||
        SameText(w.className, "TApplication")) {
        return false;
    }
    if (ContainsText(w.className, "preview") && !options.Has(xoPreview)) return false;
    if (w.className == "#32770" && (w.style & 0x200)) return false;
    if (onFormSkin) {
        bool doSkin = true;
        onFormSkin(w.className, doSkin);
        return doSkin;
    }
    if (SameText(w.className, "SysMonthCal32")) return false;
    if (controls.Has(xcFastReport) &&
        StartsWith(LowerCase(w.className), LowerCase(kReportClassPrefix))) {
        return false;
    }
    return true;
}

int ChooseSkinData(const std::vector<RegisteredSkin>& skins, uintptr_t window,
                   std::string_view className) {
    const auto find = [&](auto matches) {
        for (size_t i = 0; i < skins.size(); ++i) {
            if (matches(skins[i])) return static_cast<int>(i);
        }
        return -1;
    };
    int chosen = find([&](const RegisteredSkin& s) {
        return s.type == TSkinFormType::sfOnlyThisForm && s.ownerWindow == window;
    });
    if (chosen < 0 && (SameText(className, "tmessageform") || className == "#32770")) {
        chosen = find([](const RegisteredSkin& s) { return s.type == TSkinFormType::sfDialog; });
    }
    if (chosen < 0) {
        chosen = find([](const RegisteredSkin& s) { return s.type == TSkinFormType::sfMainform; });
    }
    if (chosen < 0 && !skins.empty()) chosen = 0;
    if (chosen < 0 || !skins[chosen].loaded) return -1;
    return chosen;
}

}  // namespace kestrone
