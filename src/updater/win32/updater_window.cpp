#include "updater_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <atomic>
#include <memory>

#include "platform/win32/handles.h"
#include "run_update.h"
#include "updater_ids.h"

namespace kestrone::updater {

namespace {

constexpr UINT kStartMessage = WM_APP + 1;
constexpr UINT kLineMessage = WM_APP + 2;      // lParam: std::string*, the receiver owns it
constexpr UINT kTransferMessage = WM_APP + 3;  // wParam: bytes received, lParam: of so many
constexpr UINT kDoneMessage = WM_APP + 4;      // lParam: UpdateRun*, the receiver owns it

// Hands an object to the window's thread; kept here when the window is gone.
template <typename T>
void PostOwned(HWND window, UINT message, std::unique_ptr<T> object) {
    if (PostMessageA(window, message, 0, reinterpret_cast<LPARAM>(object.get()))) object.release();
}

class PostedProgress : public UpdateProgress {
  public:
    PostedProgress(HWND window, const std::atomic<bool>& stop) : window_(window), stop_(stop) {}
    void Line(const std::string& text) override {
        PostOwned(window_, kLineMessage, std::make_unique<std::string>(text));
    }
    void Transfer(uint64_t received, uint64_t total) override {
        PostMessageA(window_, kTransferMessage, static_cast<WPARAM>(received),
                     static_cast<LPARAM>(total));
    }
    bool StopRequested() override { return stop_; }

  private:
    HWND window_;
    const std::atomic<bool>& stop_;
};

class UpdaterWindow {
  public:
    UpdaterWindow(HINSTANCE instance, std::string packageFolder)
        : instance_(instance), firstFolder_(std::move(packageFolder)) {}
    int Show() {
        DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_UPDATER), nullptr, DialogProc,
                        reinterpret_cast<LPARAM>(this));
        return exitCode_;
    }

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Work(void* self);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void Start(const std::string& packageFolder);
    void OnLine(std::unique_ptr<std::string> line);
    void OnDone(std::unique_ptr<UpdateRun> run);
    void Close();
    void SetBusy(bool busy);
    std::string PickPackageFolder() const;
    void ShowInstalled() {
        SetDlgItemTextA(window_, IDC_DEFINITIONS, InstalledDefinitionsText().c_str());
    }

    HINSTANCE instance_;
    std::string firstFolder_;
    HWND window_ = nullptr;
    platform::KernelHandle worker_;
    std::string workFolder_;
    std::atomic<bool> stop_{false};
    bool closeWhenDone_ = false;
    int exitCode_ = ExitCodeOf(UpdateResult::NoMirrorReachable);
};

INT_PTR CALLBACK UpdaterWindow::DialogProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<UpdaterWindow*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<UpdaterWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR UpdaterWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ShowInstalled();
            PostMessageA(window_, kStartMessage, 0, 0);
            return TRUE;
        case kStartMessage:
            Start(firstFolder_);
            return TRUE;
        case kLineMessage:
            OnLine(std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam)));
            return TRUE;
        case kTransferMessage:
            SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_SETRANGE32, 0, lParam);
            SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_SETPOS, wParam, 0);
            return TRUE;
        case kDoneMessage:
            OnDone(std::unique_ptr<UpdateRun>(reinterpret_cast<UpdateRun*>(lParam)));
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            Close();
            return TRUE;
    }
    return FALSE;
}

void UpdaterWindow::OnCommand(int id) {
    if (id == IDCANCEL) {
        Close();
    } else if (id == IDOK && !worker_) {
        Start("");
    } else if (id == IDC_FROM_FILE && !worker_) {
        std::string folder = PickPackageFolder();
        if (!folder.empty()) Start(folder);
    }
}

DWORD WINAPI UpdaterWindow::Work(void* parameter) {
    auto* self = static_cast<UpdaterWindow*>(parameter);
    PostedProgress progress(self->window_, self->stop_);
    auto run = std::make_unique<UpdateRun>(RunUpdate(self->workFolder_, progress));
    PostOwned(self->window_, kDoneMessage, std::move(run));
    return 0;
}

void UpdaterWindow::Start(const std::string& packageFolder) {
    SendDlgItemMessageA(window_, IDC_STEPS, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(window_, IDC_PROGRESS, PBM_SETPOS, 0, 0);
    SetDlgItemTextA(window_, IDC_STATUS,
                    packageFolder.empty() ? "Checking for new definitions..." : "Installing...");
    workFolder_ = packageFolder;
    stop_ = false;
    SetBusy(true);
    DWORD threadId = 0;
    worker_.reset(CreateThread(nullptr, 0, Work, this, 0, &threadId));
    if (!worker_) {
        SetDlgItemTextA(window_, IDC_STATUS, "The update could not be started.");
        SetBusy(false);
    }
}

void UpdaterWindow::OnLine(std::unique_ptr<std::string> line) {
    LRESULT index = SendDlgItemMessageA(window_, IDC_STEPS, LB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(line->c_str()));
    if (index >= 0)
        SendDlgItemMessageA(window_, IDC_STEPS, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void UpdaterWindow::OnDone(std::unique_ptr<UpdateRun> run) {
    WaitForSingleObject(worker_.get(), INFINITE);  // it posted this as its last act
    worker_.reset();
    exitCode_ = ExitCodeOf(run->outcome.result);
    ShowInstalled();  // first: the outcome's words are what watchers wait for
    SetDlgItemTextA(window_, IDC_STATUS, run->Message().c_str());
    SetBusy(false);
    if (closeWhenDone_) EndDialog(window_, 0);
}

// While the work runs, closing asks it to stop; the window goes once it has.
void UpdaterWindow::Close() {
    if (!worker_) {
        EndDialog(window_, 0);
        return;
    }
    stop_ = true;
    closeWhenDone_ = true;
    SetDlgItemTextA(window_, IDC_STATUS, "Stopping...");
}

void UpdaterWindow::SetBusy(bool busy) {
    EnableWindow(GetDlgItem(window_, IDOK), !busy);
    EnableWindow(GetDlgItem(window_, IDC_FROM_FILE), !busy);
}

// The user picks the package's manifest.txt; the package is the folder holding it.
std::string UpdaterWindow::PickPackageFolder() const {
    char path[MAX_PATH] = "manifest.txt";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = "Definitions package (manifest.txt)\0manifest.txt\0All files\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Update from file";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog)) return "";
    std::string chosen = path;
    size_t slash = chosen.find_last_of('\\');
    return slash == std::string::npos ? "" : chosen.substr(0, slash + 1);
}

}  // namespace

int ShowUpdaterWindow(HINSTANCE instance, const std::string& packageFolder) {
    return UpdaterWindow(instance, packageFolder).Show();
}

}  // namespace kestrone::updater
