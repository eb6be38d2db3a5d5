#include "ui/tray/tray_rules.h"

namespace kestrone::ui {
namespace {
constexpr std::uint32_t kWmSize = 0x05;
constexpr std::uint32_t kWmShowWindow = 0x18;
constexpr std::uint32_t kWmWindowPosChanged = 0x47;
constexpr std::uint32_t kWmSysCommand = 0x112;
constexpr std::uintptr_t kSizeMinimized = 1;
constexpr std::intptr_t kSwParentClosing = 1;
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScRestore = 0xF120;
}  // namespace

TShiftState ShiftFromKeys(bool shift, bool alt, bool ctrl) {
    return (shift ? ssShift : 0) | (alt ? ssAlt : 0) | (ctrl ? ssCtrl : 0);
}

TShiftState ButtonShift(TMouseButton button) {
    switch (button) {
        case TMouseButton::mbLeft: return ssLeft;
        case TMouseButton::mbRight: return ssRight;
        case TMouseButton::mbMiddle: return ssMiddle;
    }
    return 0;
}

int ClampIconIndex(int index, int imageCount) {
    if (imageCount <= 0 || index < 0) return 0;
    return index >= imageCount ? imageCount - 1 : index;
}

int NextCycleIndex(int index, int imageCount) {
    return index < imageCount - 1 ? index + 1 : 0;
}

bool IsSwallowedNotifyWindowMessage(std::uint32_t message) {
    switch (message) {
        case 0x02:  // WM_DESTROY
        case 0x10:  // WM_CLOSE
        case 0x11:  // WM_QUERYENDSESSION
        case 0x12:  // WM_QUIT
        case 0x16:  // WM_ENDSESSION
        case 0x82:  // WM_NCDESTROY
            return true;
        default:
            return false;
    }
}

int DefaultMenuItemIndex(const std::vector<bool>& itemIsDefault) {
    int found = -1;
    for (int i = static_cast<int>(itemIsDefault.size()) - 1; i >= 0; --i) {
        if (itemIsDefault[i]) found = i;
    }
    return found;
}

OwnerMessage ClassifyOwnerMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, bool applicationTerminating) {
    if (message == kWmShowWindow) {
        if (wParam == 1 && lParam == 0) return OwnerMessage::BeingShown;
        if (wParam == 0 && lParam == kSwParentClosing && !applicationTerminating)
            return OwnerMessage::MinimizeRequest;
    }
    if (message == kWmSysCommand && wParam == kScMinimize) return OwnerMessage::MinimizeRequest;
    return OwnerMessage::Other;
}

ApplicationMessage ClassifyApplicationMessage(std::uint32_t message, std::uintptr_t wParam,
                                              std::uint32_t taskbarCreatedMessage) {
    if (message == kWmSize && wParam == kSizeMinimized) return ApplicationMessage::Minimized;
    if (message == kWmWindowPosChanged) return ApplicationMessage::FirstPositionChange;
    if (message == kWmSysCommand && (wParam & 0xFFF0) == kScRestore)
        return ApplicationMessage::Restore;
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage)
        return ApplicationMessage::TaskbarCreated;
    return ApplicationMessage::Other;
}

}  // namespace kestrone::ui
