// The profile name dialog: its layout, the Enter key and the buttons, the refusals, and the real
// modal loop with typed keys and the close box.
#include "unit/profilecommands/ProfileFixture.h"

namespace orv::test {
namespace {

class ProfileNameDialogTest : public ProfileWindowTest {
  protected:
    // Runs Save Profile As with `script` acting on the dialog; returns the command's dialog.
    TfrmProfileName& SaveAs(TfrmORV& w, std::function<void(Form&)> script) {
        human.modalScripts.push_back(std::move(script));
        w.aSaveProfileAs->Execute();
        EXPECT_TRUE(w.frmProfileName);
        return *w.frmProfileName;
    }
    static std::wstring WindowText(HWND hwnd) {
        wchar_t text[64] = {};
        GetWindowTextW(hwnd, text, ARRAYSIZE(text));
        return text;
    }
    static std::wstring Size(const RECT& r) {
        return std::to_wstring(r.right - r.left) + L" x " + std::to_wstring(r.bottom - r.top);
    }
    static std::wstring Box(const RECT& r) {
        return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " + Size(r);
    }
};

TEST_F(ProfileNameDialogTest, ATakenNameIsRefusedAndTheDialogStaysOpenUntilAFreeOne) {
    MakeProfile(L"Work");
    TfrmORV& w = Open();
    human.answers.push_back(IDCANCEL);
    std::wstring fieldAfterRefusal, nameAfterRefusal;
    int resultAfterRefusal = -1;
    SaveAs(w, [&](Form& form) {
        TfrmProfileName& d = Dialog(form);
        d.edtProfileName.SetText(L"Work");
        d.edtProfileName.KeyDown(VK_RETURN);
        fieldAfterRefusal = d.edtProfileName.text();
        nameAfterRefusal = w.state.currentProfileName;
        resultAfterRefusal = d.modalResult();
        d.edtProfileName.SetText(L"Other");
        d.edtProfileName.KeyDown(VK_RETURN);
    });

    ASSERT_EQ(human.asked.size(), 2u);
    EXPECT_EQ(human.asked[1],
              (Asked{L"Ask", L"This Profile Name Already Exists", L"Error", MB_OK | MB_ICONERROR}));
    EXPECT_EQ(fieldAfterRefusal, L"Work") << "Enter keeps the text";
    EXPECT_EQ(nameAfterRefusal, L"");
    EXPECT_EQ(resultAfterRefusal, 0) << "the dialog stays open";
    EXPECT_EQ(w.frmProfileName->modalResult(), IDOK);
    EXPECT_EQ(w.frmProfileName->edtProfileName.text(), L"Other");
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Other");
    EXPECT_TRUE(FileExists(ProfileFile(L"Other")));
}

// Names the exact check lets through but a folder, a file or a key could not keep apart or hold.
struct RefusedNameCase {
    const char* label;
    std::wstring typed;
    std::wstring message;
};

void PrintTo(const RefusedNameCase& c, std::ostream* out) {
    *out << c.label;
}

class RefusedNameTest : public ProfileNameDialogTest,
                        public ::testing::WithParamInterface<RefusedNameCase> {};

TEST_P(RefusedNameTest, IsRefusedWithAClearMessageAndNothingIsCreated) {
    const RefusedNameCase& c = GetParam();
    MakeProfile(L"Work");
    TfrmORV& w = Open();
    human.answers.push_back(IDCANCEL);
    std::wstring nameAfterRefusal = L"<unset>";
    SaveAs(w, [&](Form& form) {
        TfrmProfileName& d = Dialog(form);
        d.edtProfileName.SetText(c.typed);
        d.edtProfileName.KeyDown(VK_RETURN);
        nameAfterRefusal = w.state.currentProfileName;
        d.btnCancel.Click();
    });

    EXPECT_EQ(Transcript(human), (std::vector<std::wstring>{L"Modal", L"Error: " + c.message}));
    EXPECT_EQ(human.asked.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(nameAfterRefusal, L"");
    EXPECT_EQ(w.frmProfileName->modalResult(), IDCANCEL);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded");
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Work = " + ProfileFile(L"Work")});
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNameTest,
    ::testing::Values(
        RefusedNameCase{
            "LetterCaseTwin", L"work",
            L"The profile \"Work\" already exists; names that differ only in letter case would share its "
            L"folder and file."},
        RefusedNameCase{"Colon", L"a:b",
                        L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
        RefusedNameCase{"Separator", L"..\\Work",
                        L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
        RefusedNameCase{"TrailingDot", L"Work.", L"A profile name cannot end in a blank or a dot."}),
    [](const ::testing::TestParamInfo<RefusedNameCase>& info) { return std::string(info.param.label); });

TEST_F(ProfileNameDialogTest, SaveWithAnEmptyFieldOnlyFocusesItAndEnterDoesNothing) {
    TfrmORV& w = Open();
    bool focusedBySave = false, focusedByEnter = true;
    int resultAfterSave = -1, resultAfterEnter = -1;
    SaveAs(w, [&](Form& form) {
        TfrmProfileName& d = Dialog(form);
        ShowWindow(d.hwnd(), SW_SHOW);
        SetFocus(d.btnCancel.hwnd());
        d.btnSave.Click();
        focusedBySave = d.edtProfileName.HasFocus();
        resultAfterSave = d.modalResult();
        SetFocus(d.btnCancel.hwnd());
        d.edtProfileName.KeyDown(VK_RETURN);
        focusedByEnter = d.edtProfileName.HasFocus();
        resultAfterEnter = d.modalResult();
        d.btnCancel.Click();
        ShowWindow(d.hwnd(), SW_HIDE);
    });
    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{L"Modal"}) << "no message for an empty field";
    EXPECT_TRUE(focusedBySave);
    EXPECT_EQ(resultAfterSave, 0);
    EXPECT_FALSE(focusedByEnter);
    EXPECT_EQ(resultAfterEnter, 0);
    EXPECT_EQ(w.state.currentProfileName, L"");
}

TEST_F(ProfileNameDialogTest, SaveEmptiesTheFieldWhateverTheOutcome) {
    MakeProfile(L"Work");
    TfrmORV& w = Open();
    human.answers.push_back(IDCANCEL);
    std::wstring fieldAfterRefusal = L"<unset>";
    int resultAfterRefusal = -1;
    SaveAs(w, [&](Form& form) {
        TfrmProfileName& d = Dialog(form);
        d.edtProfileName.SetText(L"Work");
        d.btnSave.Click();
        fieldAfterRefusal = d.edtProfileName.text();
        resultAfterRefusal = d.modalResult();
        d.edtProfileName.SetText(L"Fresh");
        d.btnSave.Click();
    });
    EXPECT_EQ(Transcript(human),
              (std::vector<std::wstring>{L"Modal", L"Error: This Profile Name Already Exists"}));
    EXPECT_EQ(fieldAfterRefusal, L"");
    EXPECT_EQ(resultAfterRefusal, 0);
    EXPECT_EQ(w.frmProfileName->modalResult(), IDOK);
    EXPECT_EQ(w.frmProfileName->edtProfileName.text(), L"");
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Fresh");
}

TEST_F(ProfileNameDialogTest, OneDialogIsKeptAndEmptiedEachTimeItIsShown) {
    TfrmORV& w = Open();
    TfrmProfileName& first = SaveAs(w, [](Form& form) {
        Dialog(form).edtProfileName.SetText(L"Left over");
        Dialog(form).btnCancel.Click();
    });
    std::wstring fieldAtShow = L"<unset>";
    TfrmProfileName& second = SaveAs(w, [&](Form& form) {
        fieldAtShow = Dialog(form).edtProfileName.text();
        Dialog(form).btnCancel.Click();
    });
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(fieldAtShow, L"");
    EXPECT_EQ(GetWindow(first.hwnd(), GW_OWNER), w.hwnd());
}

TEST_F(ProfileNameDialogTest, LayoutMatchesTheDesign) {
    TfrmORV& w = Open();
    TfrmProfileName& d = SaveAs(w, PressCancel());
    RECT client{};
    GetClientRect(d.hwnd(), &client);
    EXPECT_EQ(WindowText(d.hwnd()), L"ORV");
    EXPECT_EQ(Size(client), L"328 x 112");
    const LONG_PTR style = GetWindowLongPtrW(d.hwnd(), GWL_STYLE),
                   exStyle = GetWindowLongPtrW(d.hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(Box(d.gbProfileName.Bounds()), L"8,8 310 x 49");
    EXPECT_EQ(Box(d.pnlButtons.Bounds()), L"8,63 310 x 41");
    EXPECT_EQ(SendMessageW(d.edtProfileName.hwnd(), EM_GETLIMITTEXT, 0, 0), 21);
    EXPECT_EQ(Size(d.btnSave.Bounds()), L"144 x 25");
    EXPECT_EQ(Size(d.btnCancel.Bounds()), L"144 x 25");
    RECT panel{};
    GetClientRect(d.pnlButtons.hwnd(), &panel);
    EXPECT_EQ(d.btnSave.Bounds().left, 6);
    EXPECT_EQ(panel.right - d.btnCancel.Bounds().right, 6);
    for (Button* b : {&d.btnSave, &d.btnCancel}) {
        const LONG_PTR buttonStyle = GetWindowLongPtrW(b->hwnd(), GWL_STYLE);
        EXPECT_FALSE(buttonStyle & WS_TABSTOP) << "not a tab stop";
        EXPECT_EQ(buttonStyle & BS_TYPEMASK, BS_PUSHBUTTON) << "not the default button";
    }
    EXPECT_EQ(WindowText(d.btnSave.hwnd()), L"Save");
    EXPECT_EQ(WindowText(d.btnCancel.hwnd()), L"Cancel");
    EXPECT_EQ(WindowText(d.gbProfileName.hwnd()), L"Enter a Profile Name:");
    // The field lies inside the group with room to spare on each side.
    RECT field = d.edtProfileName.Bounds(), group{};
    GetClientRect(d.gbProfileName.hwnd(), &group);
    EXPECT_GE(field.left, 6);
    EXPECT_EQ(group.right - field.right, field.left);
    EXPECT_GE(group.bottom - field.bottom, 6);
    // Centred on the main window.
    RECT main{}, own{};
    GetWindowRect(w.hwnd(), &main);
    GetWindowRect(d.hwnd(), &own);
    EXPECT_LE(std::abs((main.left + main.right) - (own.left + own.right)), 2);
    EXPECT_LE(std::abs((main.top + main.bottom) - (own.top + own.bottom)), 2);
}

// The real modal loop: keys typed into the field, Enter, and the close box.
TEST_F(ProfileNameDialogTest, RealModalLoopTakesTypedKeysEnterAndTheCloseBox) {
    TfrmORV& w = Open();
    int typedResult = 0;
    SaveAs(w, [&](Form& form) {
        TfrmProfileName& d = Dialog(form);
        for (wchar_t c : std::wstring(L"Holidays in the mountains")) // 25 characters; 21 fit
            PostMessageW(d.edtProfileName.hwnd(), WM_CHAR, c, 0);
        PostMessageW(d.edtProfileName.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
        typedResult = d.RunModalLoop();
    });
    EXPECT_EQ(typedResult, IDOK);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Holidays in the mount");
    EXPECT_TRUE(FileExists(ProfileFile(L"Holidays in the mount")));
    EXPECT_TRUE(IsWindowEnabled(w.hwnd())) << "the main window is usable again";

    int closedResult = 0;
    SaveAs(w, [&](Form& form) {
        PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
        closedResult = form.RunModalLoop();
    });
    EXPECT_EQ(closedResult, IDCANCEL);
    EXPECT_TRUE(IsWindow(w.frmProfileName->hwnd())) << "closing keeps the dialog for the next time";
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Holidays in the mount");
    EXPECT_EQ(w.state.currentProfileName, L"");
}

// The refusal box as a person sees it: the real message box, whose one button reads Cancel.
HWND gRefusalBox = nullptr;
std::wstring gRefusalButton = L"<no box>";

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM) {
    wchar_t windowClass[16] = {};
    GetClassNameW(hwnd, windowClass, ARRAYSIZE(windowClass));
    if (lstrcmpW(windowClass, L"#32770") != 0) return TRUE;
    gRefusalBox = hwnd;
    return FALSE;
}

void CALLBACK ReadAndCloseRefusalBox(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &FindMessageBox, 0);
    if (!gRefusalBox) return; // not up yet: the next tick looks again
    KillTimer(nullptr, timer);
    wchar_t text[32] = {};
    GetWindowTextW(GetDlgItem(gRefusalBox, IDOK), text, ARRAYSIZE(text));
    gRefusalButton = text;
    int buttons = 0;
    for (HWND child = GetWindow(gRefusalBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t childClass[16] = {};
        GetClassNameW(child, childClass, ARRAYSIZE(childClass));
        if (lstrcmpiW(childClass, L"Button") == 0 && IsWindowVisible(child)) ++buttons;
    }
    if (buttons != 1) gRefusalButton += L" (and " + std::to_wstring(buttons - 1) + L" more buttons)";
    PostMessageW(gRefusalBox, WM_COMMAND, IDOK, 0);
}

TEST(ProfileNameRefusalBox, HasOneButtonLabelledCancel) {
    Human* scripted = SetHuman(nullptr); // the real message box
    SetTimer(nullptr, 0, 20, &ReadAndCloseRefusalBox);
    ShowNameRefusal(nullptr, L"This Profile Name Already Exists");
    SetHuman(scripted);
    EXPECT_EQ(gRefusalButton, L"Cancel");
    // The relabelling is for that one box only: the next box keeps its own button text.
    gRefusalBox = nullptr;
    gRefusalButton = L"<no box>";
    SetHuman(nullptr);
    SetTimer(nullptr, 0, 20, &ReadAndCloseRefusalBox);
    MessageBoxW(nullptr, L"plain", L"Orvane", MB_OK);
    SetHuman(scripted);
    EXPECT_EQ(gRefusalButton, L"OK");
}

} // namespace
} // namespace orv::test
