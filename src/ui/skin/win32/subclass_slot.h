// Replacing a window's procedure and giving it back. The replacement is held
// in a small slot stored with the window; the slot knows the previous
// procedure and the object that handles messages. When the object lets go
// while another procedure has been put on top of ours, the chain cannot be
// cut: the slot stays as a plain forwarder until the window is destroyed.
#pragma once

#include <windows.h>

namespace kestrone::ui {

using SlotHandler = LRESULT (*)(void* owner, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);

struct SubclassSlot {
    WNDPROC previous = nullptr;
    bool unicode = false;
    void* owner = nullptr;  // null once the owner let go: messages only pass on
    SlotHandler handler = nullptr;
};

// Puts `handler` in front of the window's procedure (SetWindowLongPtrA or W
// as the window is an ANSI or a Unicode window). Null when the window already
// has a slot or the procedure could not be replaced.
SubclassSlot* InstallSubclass(HWND window, void* owner, SlotHandler handler);

// The owner lets go: its handler is never called again. The previous
// procedure comes back when ours is still the window's own; otherwise the slot
// forwards until the window's end. With `windowDying` (WM_NCDESTROY) the slot
// is released at once.
void RemoveSubclass(HWND window, SubclassSlot* slot, bool windowDying);

// The object behind a window's slot, or null.
SubclassSlot* SlotOf(HWND window);

LRESULT CallPrevious(const SubclassSlot& slot, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam);

}  // namespace kestrone::ui
