// What the main window lends its pages: the program's instance, the window
// that owns their boxes, the form font, tool tips and a factory for child
// controls. Texts handed to it are English; it shows them in the language of
// the run (app/ui_text.h). Each page is a FormPage: it builds its controls on its own page
// window and answers the commands and notifications of those controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/admin_task.h"
#include "app/page_layout.h"

namespace kestrone::app {

class PageKit {
public:
    PageKit(HINSTANCE instance, HWND form, HFONT font) : instance_(instance), form_(form), font_(font) {}

    HINSTANCE Instance() const { return instance_; }
    HWND Form() const { return form_; }
    HFONT Font() const { return font_; }
    void SetFont(HFONT font) { font_ = font; }

    // Controls are placed in 96-DPI units on a page of the design size; the
    // kit scales them to its DPI and lays them out again when their page
    // grows (LayOut), each as its anchors ask.
    HWND Control(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id, HFONT font = nullptr, DWORD exStyle = 0);
    HWND StatusBar(HWND parent, int id, const std::vector<int>& rightEdges);
    void Anchor(HWND control, unsigned anchors);
    void SetDpi(int dpi) { dpi_ = dpi; }
    int Dpi() const { return dpi_; }
    int Scaled(int units) const { return ScaleToDpi(units, dpi_); }
    // Places every control of `parent` for a page `room` units bigger than
    // its design, at the kit's DPI.
    void LayOut(HWND parent, LayoutSize room) const;
    void AddTooltip(HWND control, const char* text);
    // A "Prompt" box with the information icon, owned by the main window.
    void Prompt(const std::string& text) const;
    void Prompt(const std::wstring& text) const;
    // A Yes/No question owned by the main window; true for Yes. The wide one
    // takes a question already put together in the language of the run.
    bool Ask(const std::string& question) const;
    bool Ask(const std::wstring& question) const;
    // A status bar panel's text, translated where the table has it.
    static void SetStatusText(HWND bar, int panel, const std::string& text);

    // A command that needs administrator rights: the main window runs it in
    // place or through an elevated copy, and shows its result.
    std::function<void(AdminTask, const TextList&)> runAdmin;
    void RunAdmin(AdminTask task, const TextList& arguments) const {
        if (runAdmin) runAdmin(task, arguments);
    }
    // Whether such commands go through an elevated copy now; their buttons
    // then carry the shield.
    static bool Elevates();
    void MarkElevating(HWND button) const;

private:
    HINSTANCE instance_;
    HWND form_;
    HFONT font_;
    HWND tooltips_ = nullptr;
    int dpi_ = kDesignDpi;
    struct Placed {
        HWND control;
        LayoutRect design;
        unsigned anchors;
    };
    std::vector<Placed> placed_;
    struct Bar {
        HWND bar;
        std::vector<int> rightEdges;  // 96-DPI units; -1 reaches the right end
    };
    std::vector<Bar> bars_;
};

class FormPage {
public:
    FormPage(PageKit& kit, HWND page) : kit_(kit), page_(page) {}
    virtual ~FormPage() = default;
    FormPage(const FormPage&) = delete;
    FormPage& operator=(const FormPage&) = delete;

    HWND Handle() const { return page_; }
    // The page became the shown one.
    virtual void OnShow() {}
    // True when the command was this page's.
    virtual bool OnCommand(int /*id*/, int /*notification*/) { return false; }
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // The page was laid out at a new size.
    virtual void OnResized() {}

protected:
    HWND Item(int id) const { return GetDlgItem(page_, id); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(page_, id) == BST_CHECKED; }
    void SetChecked(int id, bool checked) const {
        CheckDlgButton(page_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    PageKit& kit_;
    HWND page_;
};

// Button styles the pages share.
inline constexpr DWORD kPushButton = WS_TABSTOP | BS_PUSHBUTTON;
inline constexpr DWORD kCheckBoxStyle = WS_TABSTOP | BS_AUTOCHECKBOX;
inline constexpr DWORD kRadioStyle = BS_AUTORADIOBUTTON;
inline constexpr DWORD kGroupBoxStyle = BS_GROUPBOX;

}  // namespace kestrone::app
