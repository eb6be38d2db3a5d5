// The manager's filter: which windows are skinned, and with which TSkinData.
#include "ui/skin/window_filter.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

WindowCandidate OwnForm() {
    WindowCandidate w;
    w.ownModule = true;
    w.className = "TMainForm";
    return w;
}

const TSkinOptionSet kOptions{xoPreview, xoToolbarBK};
const TSkinControlSet kControls{xcMainMenu, xcButton};

TEST(WindowFilter, WhatIsSkinnedAndWhatIsNot) {
    const auto with = [](auto change) {
        WindowCandidate w = OwnForm();
        change(w);
        return w;
    };
    const struct {
        const char* what;
        WindowCandidate window;
        bool skinned;
    } cases[] = {
        {"a window of our module", OwnForm(), true},
        {"a dialog the system made for us", with([](auto& w) {
             w.ownModule = false;
             w.className = "#32770";
         }),
         true},
        {"a window of another module", with([](auto& w) { w.ownModule = false; }), false},
        {"a framework form of a library", with([](auto& w) {
             w.ownModule = false;
             w.frameworkForm = true;
         }),
         true},
        {"already skinned by someone", with([](auto& w) { w.answersSkinQuery = true; }), false},
        {"already in the list", with([](auto& w) { w.listed = true; }), false},
        {"a child window", with([](auto& w) {
             w.isChild = true;
             w.parentClass = "TPanel";
         }),
         false},
        {"a child of an MDI client", with([](auto& w) {
             w.isChild = true;
             w.parentClass = "MDIClient";
         }),
         true},
        {"an empty window", with([](auto& w) { w.emptyRect = true; }), false},
        {"an empty MDI child", with([](auto& w) {
             w.emptyRect = true;
             w.mdiChild = true;
         }),
         true},
        {"tag 99", with([](auto& w) { w.tag = 99; }), false},
        {"tag 98", with([](auto& w) { w.tag = 98; }), true},
        {"TApplication", with([](auto& w) { w.className = "TApplication"; }), false},
        {"a foreign popup editor", with([](auto& w) { w.className = "TcxPopupEditWindow"; }),
         false},
        {"a preview window", with([](auto& w) { w.className = "TPrintPreview"; }), true},
        {"a #32770 with bit 0x200", with([](auto& w) {
             w.className = "#32770";
             w.style = 0x200;
         }),
         false},
        {"a month calendar", with([](auto& w) { w.className = "SysMonthCal32"; }), false},
        {"a report window without xcFastReport",
         with([](auto& w) { w.className = "TfrxPreviewForm"; }), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShouldSkinWindow(c.window, false, kOptions, kControls, nullptr), c.skinned)
            << c.what;
    }
}

TEST(WindowFilter, SettingsAndHandlerChangeTheAnswer) {
    WindowCandidate preview = OwnForm();
    preview.className = "TPrintPreview";
    EXPECT_FALSE(ShouldSkinWindow(preview, false, TSkinOptionSet{}, kControls, nullptr));

    WindowCandidate report = OwnForm();
    report.className = "TfrxDesignerForm";
    EXPECT_FALSE(ShouldSkinWindow(report, false, kOptions, {xcFastReport}, nullptr));

    // Skinning all forms takes child windows too.
    WindowCandidate child = OwnForm();
    child.isChild = true;
    child.parentClass = "TPanel";
    EXPECT_TRUE(ShouldSkinWindow(child, true, kOptions, kControls, nullptr));

    // A handler decides, and it alone decides about the month calendar.
    std::string asked;
    const FormSkinHandler refuse = [&](const std::string& name, bool& doSkin) {
        asked = name;
        doSkin = false;
    };
    EXPECT_FALSE(ShouldSkinWindow(OwnForm(), false, kOptions, kControls, refuse));
    EXPECT_EQ(asked, "TMainForm");
    WindowCandidate calendar = OwnForm();
    calendar.className = "SysMonthCal32";
    EXPECT_TRUE(
        ShouldSkinWindow(calendar, false, kOptions, kControls, [](const std::string&, bool&) {}));
    // Tag 99 is never asked about.
    WindowCandidate tagged = OwnForm();
    tagged.tag = 99;
    asked.clear();
    EXPECT_FALSE(ShouldSkinWindow(tagged, false, kOptions, kControls, refuse));
    EXPECT_TRUE(asked.empty());
}

TEST(SkinChoice, OwnFormThenDialogThenMainThenFirst) {
    using T = TSkinFormType;
    const std::vector<RegisteredSkin> skins = {{T::sfDLL, 0, true},
                                               {T::sfMainform, 0, true},
                                               {T::sfDialog, 0, true},
                                               {T::sfOnlyThisForm, 77, true}};
    EXPECT_EQ(ChooseSkinData(skins, 77, "TOwnForm"), 3);
    EXPECT_EQ(ChooseSkinData(skins, 78, "#32770"), 2);
    EXPECT_EQ(ChooseSkinData(skins, 78, "TMessageForm"), 2);
    EXPECT_EQ(ChooseSkinData(skins, 78, "TOther"), 1);
    EXPECT_EQ(ChooseSkinData({skins[0]}, 78, "TOther"), 0);
    EXPECT_EQ(ChooseSkinData({}, 78, "TOther"), -1);
    // A dialog without a dialog skin takes the main one.
    EXPECT_EQ(ChooseSkinData({skins[1], skins[3]}, 78, "#32770"), 0);
    // A chosen skin that is not loaded means no skin, not the next one.
    std::vector<RegisteredSkin> notLoaded = skins;
    notLoaded[2].loaded = false;
    EXPECT_EQ(ChooseSkinData(notLoaded, 78, "#32770"), -1);
}

}  // namespace
}  // namespace kestrone
