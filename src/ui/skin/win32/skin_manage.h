// TSkinManage: the one skin manager of the process. It watches window
// creation, destruction and activation on the user-interface thread through
// a WH_CBT hook, decides which windows to skin, attaches a TWinSkinForm to
// each, hands popup-menu windows ("#32768") to the popup-menu skinner, and
// runs its actions (skin all, unskin all, refresh, purge, re-skin one) from a
// one-shot timer. It lives while at least one TSkinData is registered.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/skin/skin_data.h"
#include "ui/skin/skin_messages.h"
#include "ui/skin/skinned_list.h"

namespace kestrone::ui {

class TWinSkinForm;
class TWinSkinPopMenu;

class TSkinManage {
  public:
    // The manager, or null when no skin is registered.
    static TSkinManage* Instance();

    // Registers a skin component of a form (creating the manager first).
    static TSkinManage& Register(TSkinData& data, HWND ownerForm);
    // Unskins the windows that use the component and forgets it; the last
    // registration gone, the manager is freed.
    static void Unregister(TSkinData& data);

    bool Active() const { return active_; }
    bool Started() const { return started_; }
    bool HookInstalled() const { return hook_ != nullptr; }
    void InstallHook();

    // The actions, run 250 ms after they are asked for.
    void Schedule(SkinAction action, TSkinData* requester, HWND window = nullptr,
                  unsigned delayMs = kActionDelayMs);
    // Runs a pending action at once (as the timer would).
    void RunPendingAction();
    SkinAction PendingAction() const { return pending_; }

    // Skins one window if the filter lets it; true when a skinned window now
    // stands for it.
    bool SkinWindow(HWND window, bool skinningAll = false);
    void UnskinWindow(HWND window);
    // Windows activated from now on are skinned (before the first action).
    void SkinNewWindows() { active_ = true; }
    // A component of another form type skins its own form at once; the
    // manager counts as active from then on.
    void SkinFormNow(HWND form);

    TWinSkinForm* FindForm(HWND window) const { return forms_.Find(Key(window)); }
    size_t FormCount() const { return forms_.Size(); }
    size_t RetiredFormCount() const { return forms_.RetiredCount(); }
    size_t PopupMenuCount() const { return popups_.Size(); }

    // Called by a skinned window when its window is destroyed.
    void FormDestroyed(HWND window);
    // The kind of the menu being opened: 1 ordinary popup, 2 system menu.
    void SetMenuKind(int kind) { menuKind_ = kind; }
    int MenuKind() const { return menuKind_; }

    // The TSkinData a window would be skinned with (null: none loaded).
    TSkinData* DataForWindow(HWND window, const std::string& className) const;

    // The caption font of the system, read when a skin is registered.
    HFONT CaptionFont() const { return captionFont_; }
    HFONT MenuFont() const { return menuFont_; }

    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

  private:
    TSkinManage();
    struct Registration {
        TSkinData* data;
        HWND owner;
    };

    static uintptr_t Key(HWND window) { return reinterpret_cast<uintptr_t>(window); }
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void OnCreateWindow(HWND window, const CBT_CREATEWNDA& create);
    void OnDestroyWindow(HWND window);
    void RunAction(SkinAction action, TSkinData* requester, HWND window);
    void SkinAllForms();
    void UnskinAll();
    void RefreshForms(TSkinData* requester);
    void CleanList();
    // The form of a component that skins its own form only (else null).
    HWND OwnFormOf(const TSkinData* data) const;
    void ReadSystemFonts();
    void OnSkinLoaded(TSkinData& data);

    std::vector<Registration> registrations_;
    SkinnedList<TWinSkinForm> forms_;
    SkinnedList<TWinSkinPopMenu> popups_;
    HHOOK hook_ = nullptr;
    HWND timerWindow_ = nullptr;
    SkinAction pending_ = SkinAction::None;
    TSkinData* requester_ = nullptr;
    HWND pendingWindow_ = nullptr;
    bool active_ = false;
    bool started_ = false;
    int menuKind_ = 1;
    HFONT captionFont_ = nullptr;
    HFONT menuFont_ = nullptr;
};

// Whether a window or control answers the skin's query (message 0x3523).
bool IsSkinnedWindow(HWND window);

// The Tag of a window of the program (0 when none was given). A window with
// Tag 99 is never skinned; controls whose Tag equals DisableTag keep their look.
void SetSkinTag(HWND window, int tag);
// Check boxes with this Tag draw no background of their own.
inline constexpr int kTransparentTag = 5555;
int SkinTagOf(HWND window);

}  // namespace kestrone::ui
