#include "ui/skin/win32/skin_manage.h"

#include <algorithm>

#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/win_skin_form.h"
#include "ui/skin/win32/win_skin_pop_menu.h"
#include "ui/skin/window_filter.h"

namespace kestrone::ui {

namespace {

constexpr char kTimerClass[] = "KestroneSkinManager";
constexpr UINT_PTR kActionTimer = 1;
constexpr char kTagProperty[] = "KestroneTag";

TSkinManage* g_manager = nullptr;

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

bool IsSkinnedWindow(HWND window) {
    return window && SendMessageA(window, skinmsg::kQuery, 0, 0) == 1;
}

void SetSkinTag(HWND window, int tag) {
    SetPropA(window, kTagProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(tag)));
}

int SkinTagOf(HWND window) {
    return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(window, kTagProperty)));
}

TSkinManage* TSkinManage::Instance() {
    return g_manager;
}

TSkinManage::TSkinManage() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TSkinManage::TimerWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTimerClass;
    RegisterClassA(&windowClass);
    timerWindow_ = CreateWindowExA(0, kTimerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr);
    ReadSystemFonts();
    // The first run of the timer, right after creation.
    SetTimer(timerWindow_, kActionTimer, kFirstTimerMs, nullptr);
}

TSkinManage::~TSkinManage() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    UnskinAll();
    CleanList();
    if (timerWindow_) DestroyWindow(timerWindow_);
    if (captionFont_) DeleteObject(captionFont_);
    if (menuFont_) DeleteObject(menuFont_);
    ForgetSkinImages();
}

TSkinManage& TSkinManage::Register(TSkinData& data, HWND ownerForm) {
    if (!g_manager) g_manager = new TSkinManage;
    TSkinManage& manager = *g_manager;
    const auto known = std::find_if(manager.registrations_.begin(), manager.registrations_.end(),
                                    [&](const Registration& r) { return r.data == &data; });
    if (known == manager.registrations_.end()) manager.registrations_.push_back({&data, ownerForm});
    data.OnSkinLoaded = [](TSkinData& loaded) {
        if (g_manager) g_manager->OnSkinLoaded(loaded);
    };
    data.OnActiveChanged = [](TSkinData& changed) {
        if (!g_manager) return;
        g_manager->Schedule(changed.Active ? SkinAction::SkinAll : SkinAction::UnskinAll, &changed);
    };
    return manager;
}

void TSkinManage::Unregister(TSkinData& data) {
    if (!g_manager) return;
    TSkinManage& manager = *g_manager;
    for (uintptr_t key : manager.forms_.Keys()) {
        TWinSkinForm* form = manager.forms_.Find(key);
        if (form && &form->Data() == &data) manager.UnskinWindow(form->Handle());
    }
    auto& list = manager.registrations_;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Registration& r) { return r.data == &data; }),
               list.end());
    data.OnSkinLoaded = nullptr;
    data.OnActiveChanged = nullptr;
    if (manager.requester_ == &data) manager.requester_ = nullptr;
    if (list.empty()) {
        delete g_manager;
        g_manager = nullptr;
    }
}

void TSkinManage::ReadSystemFonts() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // Older systems know a shorter structure.
        metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    }
    captionFont_ = CreateFontIndirectA(&metrics.lfCaptionFont);
    menuFont_ = CreateFontIndirectA(&metrics.lfMenuFont);
}

void TSkinManage::InstallHook() {
    if (!hook_)
        hook_ = SetWindowsHookExA(WH_CBT, &TSkinManage::CbtProc, nullptr, GetCurrentThreadId());
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = g_manager;
    if (manager && code >= 0) {
        const auto window = reinterpret_cast<HWND>(wParam);
        switch (code) {
            case HCBT_CREATEWND:
                manager->OnCreateWindow(window, *reinterpret_cast<CBT_CREATEWNDA*>(lParam));
                break;
            case HCBT_DESTROYWND:
                manager->OnDestroyWindow(window);
                break;
            case HCBT_ACTIVATE:
                manager->SkinWindow(window);
                break;
            default:
                break;
        }
    }
    return CallNextHookEx(manager ? manager->hook_ : nullptr, code, wParam, lParam);
}

void TSkinManage::OnCreateWindow(HWND window, const CBT_CREATEWNDA& create) {
    const CREATESTRUCTA& cs = *create.lpcs;
    const std::string name = ClassOf(window);
    if (name == "#32768" && !(cs.style & WS_CHILD)) {
        if (!active_) return;
        auto menu = std::make_unique<TWinSkinPopMenu>(window, cs, *this);
        if (menu->Skinning()) popups_.Add(Key(window), std::move(menu));
        return;
    }
    if (cs.dwExStyle & WS_EX_MDICHILD) {
        SkinWindow(window);
        return;
    }
    // A control made after its window started running gets its skin too.
    if ((cs.style & WS_CHILD) && cs.hwndParent && active_) {
        HWND root = GetAncestor(cs.hwndParent, GA_ROOT);
        if (!root) root = cs.hwndParent;
        TWinSkinForm* form = FindForm(root);
        if (form && form->Life() == FormLife::Running)
            PostMessageA(root, kSkinNewChild, reinterpret_cast<WPARAM>(window), 0);
    }
}

void TSkinManage::OnDestroyWindow(HWND window) {
    if (TWinSkinPopMenu* menu = popups_.Find(Key(window))) {
        menu->Release();
        popups_.Retire(Key(window));
    }
}

void TSkinManage::FormDestroyed(HWND window) {
    forms_.Retire(Key(window));
}

// Objects whose windows are gone are freed once no call of theirs runs.
void TSkinManage::CleanList() {
    for (uintptr_t key : forms_.Keys()) {
        if (TWinSkinForm* form = forms_.Find(key)) form->PurgeControls();
    }
    forms_.Purge([](const TWinSkinForm& form) { return !form.Busy(); });
    popups_.Purge([](const TWinSkinPopMenu& menu) { return !menu.Busy(); });
}

TSkinData* TSkinManage::DataForWindow(HWND window, const std::string& className) const {
    std::vector<RegisteredSkin> skins;
    for (const Registration& r : registrations_) {
        skins.push_back(
            {r.data->SkinFormtype, reinterpret_cast<uintptr_t>(r.owner), r.data->Loaded()});
    }
    const int index = ChooseSkinData(skins, reinterpret_cast<uintptr_t>(window), className);
    return index < 0 ? nullptr : registrations_[static_cast<size_t>(index)].data;
}

bool TSkinManage::SkinWindow(HWND window, bool skinningAll) {
    CleanList();
    if (!active_ || !IsWindow(window)) return false;
    if (FindForm(window)) return true;
    // Only windows of this thread: another process's window may carry the
    // same module address and class name.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
    WindowCandidate candidate;
    candidate.className = ClassOf(window);
    candidate.answersSkinQuery = IsSkinnedWindow(window);
    candidate.style = static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    candidate.isChild = (candidate.style & WS_CHILD) != 0;
    if (candidate.isChild) candidate.parentClass = ClassOf(GetParent(window));
    candidate.ownModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) ==
                          GetModuleHandleA(nullptr);
    RECT box;
    GetWindowRect(window, &box);
    candidate.emptyRect = IsRectEmpty(&box) != FALSE;
    candidate.mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
    candidate.tag = SkinTagOf(window);
    TSkinData* data = DataForWindow(window, candidate.className);
    if (!data) return false;
    FormSkinHandler handler;
    if (data->OnFormSkin) {
        handler = [data](const std::string& name, bool& doSkin) {
            data->OnFormSkin(*data, name, doSkin);
        };
    }
    if (!ShouldSkinWindow(candidate, skinningAll, data->Options, data->SkinControls, handler))
        return false;
    auto form = std::make_unique<TWinSkinForm>(window, *data, *this);
    if (form->Life() == FormLife::Dead) return false;
    forms_.Add(Key(window), std::move(form));
    started_ = true;
    return true;
}

HWND TSkinManage::OwnFormOf(const TSkinData* data) const {
    if (!data || data->SkinFormtype != TSkinFormType::sfOnlyThisForm) return nullptr;
    for (const Registration& r : registrations_) {
        if (r.data == data) return r.owner;
    }
    return nullptr;
}

void TSkinManage::SkinFormNow(HWND form) {
    active_ = true;
    SkinWindow(form, true);
}

void TSkinManage::UnskinWindow(HWND window) {
    std::unique_ptr<TWinSkinForm> form = forms_.Take(Key(window));
    if (!form) return;
    form->Detach(true);
    // Detached, its procedure no longer runs; freeing waits for calls still
    // on the stack (an unskin asked for from inside the window's handler).
    forms_.Bury(std::move(form));
}

void TSkinManage::Schedule(SkinAction action, TSkinData* requester, HWND window, unsigned delayMs) {
    pending_ = action;
    requester_ = requester;
    pendingWindow_ = window;
    if (timerWindow_) SetTimer(timerWindow_, kActionTimer, delayMs, nullptr);
}

void TSkinManage::RunPendingAction() {
    if (timerWindow_) KillTimer(timerWindow_, kActionTimer);
    const SkinAction action = pending_;
    TSkinData* requester = requester_;
    HWND window = pendingWindow_;
    pending_ = SkinAction::None;
    pendingWindow_ = nullptr;
    RunAction(action, requester, window);
}

LRESULT CALLBACK TSkinManage::TimerWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_TIMER && wParam == kActionTimer && g_manager) {
        g_manager->RunPendingAction();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TSkinManage::RunAction(SkinAction action, TSkinData* requester, HWND window) {
    CleanList();
    switch (action) {
        case SkinAction::None:
            return;
        case SkinAction::SkinAll:
            // A component of its own form only switches that form.
            if (HWND own = OwnFormOf(requester))
                SkinFormNow(own);
            else
                SkinAllForms();
            break;
        case SkinAction::UnskinAll:
            if (HWND own = OwnFormOf(requester))
                UnskinWindow(own);
            else
                UnskinAll();
            break;
        case SkinAction::Refresh:
            RefreshForms(requester);
            break;
        case SkinAction::Purge:
            break;  // the clean-up above did it
        case SkinAction::ReskinOne:
            UnskinWindow(window);
            SkinWindow(window);
            break;
    }
    for (const Registration& r : registrations_) {
        if (r.data->OnSkinChanged) r.data->OnSkinChanged(*r.data);
    }
}

namespace {
BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
}  // namespace

void TSkinManage::SkinAllForms() {
    active_ = true;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow,
                      reinterpret_cast<LPARAM>(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (IsWindowVisible(*it) && !(GetWindowLongA(*it, GWL_STYLE) & WS_CHILD))
            SkinWindow(*it, true);
    }
}

void TSkinManage::UnskinAll() {
    active_ = false;
    for (uintptr_t key : forms_.Keys()) UnskinWindow(reinterpret_cast<HWND>(key));
    for (uintptr_t key : popups_.Keys()) {
        if (TWinSkinPopMenu* menu = popups_.Find(key)) menu->Release();
        popups_.Retire(key);
    }
}

void TSkinManage::RefreshForms(TSkinData* requester) {
    ForgetSkinImages();
    for (uintptr_t key : forms_.Keys()) {
        TWinSkinForm* form = forms_.Find(key);
        if (form && (!requester || &form->Data() == requester)) form->Refresh();
    }
}

void TSkinManage::OnSkinLoaded(TSkinData& data) {
    ForgetSkinImages();
    if (started_) Schedule(SkinAction::Refresh, &data);
}

}  // namespace kestrone::ui
