#include "ui/skin/win32/subclass_slot.h"

namespace kestrone::ui {

namespace {

constexpr char kSlotProperty[] = "KestroneSkinSlot";

LRESULT CALLBACK SlotProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* slot = static_cast<SubclassSlot*>(GetPropA(window, kSlotProperty));
    if (!slot) return DefWindowProcA(window, message, wParam, lParam);
    if (slot->owner) return slot->handler(slot->owner, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const SubclassSlot copy = *slot;
        RemoveSubclass(window, slot, true);
        return CallPrevious(copy, window, message, wParam, lParam);
    }
    return CallPrevious(*slot, window, message, wParam, lParam);
}

WNDPROC CurrentProc(HWND window, bool unicode) {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

}  // namespace

SubclassSlot* InstallSubclass(HWND window, void* owner, SlotHandler handler) {
    if (!IsWindow(window) || GetPropA(window, kSlotProperty)) return nullptr;
    auto* slot = new SubclassSlot;
    slot->unicode = IsWindowUnicode(window) != FALSE;
    slot->owner = owner;
    slot->handler = handler;
    if (!SetPropA(window, kSlotProperty, slot)) {
        delete slot;
        return nullptr;
    }
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&SlotProc);
    slot->previous =
        reinterpret_cast<WNDPROC>(slot->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
    if (!slot->previous) {
        RemovePropA(window, kSlotProperty);
        delete slot;
        return nullptr;
    }
    return slot;
}

void RemoveSubclass(HWND window, SubclassSlot* slot, bool windowDying) {
    if (!slot) return;
    slot->owner = nullptr;
    const bool ours = CurrentProc(window, slot->unicode) == &SlotProc;
    if (ours) {
        const LONG_PTR previous = reinterpret_cast<LONG_PTR>(slot->previous);
        if (slot->unicode)
            SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
        else
            SetWindowLongPtrA(window, GWLP_WNDPROC, previous);
    }
    if (ours || windowDying) {
        RemovePropA(window, kSlotProperty);
        delete slot;
    }
}

SubclassSlot* SlotOf(HWND window) {
    return static_cast<SubclassSlot*>(GetPropA(window, kSlotProperty));
}

LRESULT CallPrevious(const SubclassSlot& slot, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam) {
    return slot.unicode ? CallWindowProcW(slot.previous, window, message, wParam, lParam)
                        : CallWindowProcA(slot.previous, window, message, wParam, lParam);
}

}  // namespace kestrone::ui
