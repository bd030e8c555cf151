// The full view through the human seam: the script runs the view's real modal loop over posted
// keyboard and mouse input and looks at the real window.
#include "app/FullView.h"
#include "platform/FileIO.h"
#include "unit/preview/PreviewFixture.h"

namespace orv::test {
namespace {

// Marks the view as not closed by the input. A timer message comes only when nothing else is
// waiting, so it fires after every posted input has been handled.
TfrmView* gBackstopView = nullptr;
void CALLBACK Backstop(HWND, UINT, UINT_PTR, DWORD) {
    if (gBackstopView) gBackstopView->SetModalResult(IDABORT);
}

// Runs the view's real modal loop over the posted input; true when the input closed the view.
bool InputCloses(TfrmView& view, const std::function<void()>& postInput) {
    view.SetModalResult(0);
    postInput();
    gBackstopView = &view;
    UINT_PTR timer = SetTimer(nullptr, 0, 1, Backstop);
    const int result = view.RunModalLoop();
    KillTimer(nullptr, timer);
    gBackstopView = nullptr;
    return result == IDCANCEL;
}

void PostKey(HWND window, WORD key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | 0xC0000000);
}

class FullViewTest : public PreviewWindowTest {
  protected:
    // The window shown, a picture selected, the command state showing it.
    TfrmORV& OpenWithPicture() {
        TfrmORV& w = Open();
        w.Show();
        SetForegroundWindow(w.hwnd());
        DrainMessages();
        AddRow(w, Bitmap(L"small.bmp", 40, 30));
        AsUser([&] { w.lvTSL.Select(0); });
        return w;
    }
};

TEST_F(FullViewTest, PreviewCoversTheScreenAndReturnsToTheList) {
    TfrmORV& w = OpenWithPicture();
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT seen{}, image{};
    LONG_PTR style = 0;
    bool closedByEsc = false;
    human.modalScripts.push_back([&](Form& form) {
        auto& view = static_cast<TfrmView&>(form);
        EXPECT_EQ(&view, w.frmView.get());
        closedByEsc = InputCloses(view, [&] { PostKey(view.hwnd(), VK_ESCAPE); });
        GetWindowRect(view.hwnd(), &seen);
        image = view.imgActualitySize.Bounds();
        style = GetWindowLongPtrW(view.hwnd(), GWL_STYLE);
        EXPECT_FALSE(IsWindowVisible(view.hwnd())) << "closing hides the view";
    });
    w.sbTSL.SetText(kInfoPanel, L"stale");
    w.aClearList->SetEnabled(false);
    w.btnFullview.Click();

    EXPECT_TRUE(closedByEsc);
    EXPECT_TRUE(EqualRect(&seen, &screen))
        << seen.left << "," << seen.top << "," << seen.right << "," << seen.bottom;
    EXPECT_TRUE(EqualRect(&image, &screen)) << "the picture is stretched over the whole screen";
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(w.frmView->hwnd(), GW_OWNER), w.hwnd());
    EXPECT_TRUE(IsWindow(w.frmView->hwnd())) << "hidden, not destroyed";
    EXPECT_TRUE(w.lvTSL.HasFocus());
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"40 x 30") << "the command state was refreshed";
    EXPECT_TRUE(w.aClearList->enabled());
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
}

// Keys that give a character close the view, others do nothing; a left click on the picture
// closes it, right and middle clicks on it do nothing. Every preview reuses the one view.
TEST_F(FullViewTest, WhatClosesTheView) {
    TfrmORV& w = OpenWithPicture();
    const struct {
        const char* name;
        std::function<void(TfrmView&)> input;
        bool closes;
    } cases[] = {
        {"Esc", [](TfrmView& v) { PostKey(v.hwnd(), VK_ESCAPE); }, true},
        {"Enter", [](TfrmView& v) { PostKey(v.hwnd(), VK_RETURN); }, true},
        {"Space", [](TfrmView& v) { PostKey(v.hwnd(), VK_SPACE); }, true},
        {"letter", [](TfrmView& v) { PostKey(v.hwnd(), 'Q'); }, true},
        {"digit", [](TfrmView& v) { PostKey(v.hwnd(), '7'); }, true},
        {"arrows",
         [](TfrmView& v) {
             for (WORD k : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
                 PostKey(v.hwnd(), k);
         },
         false},
        {"F-keys",
         [](TfrmView& v) {
             for (WORD k : {VK_F1, VK_F5, VK_F12})
                 PostKey(v.hwnd(), k);
         },
         false},
        {"left click on the picture",
         [](TfrmView& v) {
             PostMessageW(v.imgActualitySize.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
             PostMessageW(v.imgActualitySize.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
         },
         true},
        {"right and middle clicks on the picture",
         [](TfrmView& v) {
             PostMessageW(v.imgActualitySize.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
             PostMessageW(v.imgActualitySize.hwnd(), WM_MBUTTONUP, 0, MAKELPARAM(50, 50));
         },
         false},
    };
    TfrmView* first = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool closed = false;
        human.modalScripts.push_back([&](Form& form) {
            auto& view = static_cast<TfrmView&>(form);
            closed = InputCloses(view, [&] { c.input(view); });
        });
        w.aPreview->Execute();
        EXPECT_EQ(closed, c.closes);
        if (!first) first = w.frmView.get();
        EXPECT_EQ(w.frmView.get(), first) << "the view is made once and reused";
    }
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
}

// The view's own mouse-up closes it for any button; the picture covers all of it, so only a
// release outside the picture gets there.
TEST_F(FullViewTest, TheViewsOwnMouseUpClosesForAnyButton) {
    TfrmORV& w = OpenWithPicture();
    human.modalScripts.push_back([](Form&) {});
    w.aPreview->Execute();
    TfrmView& view = *w.frmView;
    for (UINT message : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP}) {
        SCOPED_TRACE(message);
        EXPECT_TRUE(InputCloses(view, [&] { PostMessageW(view.hwnd(), message, 0, MAKELPARAM(1, 1)); }));
    }
}

TEST_F(FullViewTest, APictureThatDoesNotLoadShowsNoView) {
    TfrmORV& w = OpenWithPicture();
    const std::wstring missing = folder.path() + L"gone.jpg";
    AddRow(w, missing);
    SelectQuietly(w.lvTSL, 1);
    w.sbTSL.SetText(kInfoPanel, L"stale");
    human.answers.push_back(IDOK);
    AsUser([&] { w.aPreview->Execute(); });
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_EQ(ErrorBoxes()[0].rfind(L"Cannot open file \"" + missing + L"\". ", 0), 0u)
        << Narrow(ErrorBoxes()[0]);
    for (const Asked& a : human.asked)
        EXPECT_NE(a.kind, L"Modal");
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"stale") << "no refresh after a failed load";
}

TEST_F(FullViewTest, WithoutASelectionNothingIsShown) {
    TfrmORV& w = OpenWithPicture();
    SelectQuietly(w.lvTSL, -1);
    w.aPreviewExecute();
    EXPECT_EQ(human.asked.size(), 0u);
    EXPECT_FALSE(w.frmView);
    EXPECT_FALSE(w.aPreview->enabled());
}

} // namespace
} // namespace orv::test
