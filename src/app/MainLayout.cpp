// The main window's controls: positions, sizes, captions and colours of the four pages. What the
// controls do is wired apart (MainWiring.cpp), before any page exists.
#include "app/MainUnit.h"
#include "app/Resources.h"

namespace orv {
namespace {

constexpr COLORREF kListBackground = RGB(255, 255, 234);
constexpr int kToolbarHeight = 28, kPagesHeight = 285, kStatusHeight = 18, kClientWidth = 474;

} // namespace

void TfrmORV::CreateLayout() {
    ilTSL = ToolbarImages();
    atbTSL.Create(hwnd_, 0, kToolbarHeight, ilTSL,
                  {{aNewList}, {aOpenList}, {aSaveList}, {nullptr}, {aAddItems}, {aRemoveItem}, {aAddFolder},
                   {nullptr}, {aSetWallpaper}, {aCancel}, {nullptr}, {aHide}});
    pnlTSL.Create(hwnd_, 0, kToolbarHeight, kClientWidth, kPagesHeight);
    pcTSL.Create(pnlTSL.hwnd(), 0, 0, kClientWidth, kPagesHeight);
    sbTSL.Create(hwnd_, kStatusHeight,
                 {{L"Current Profile:", 78}, {kNotLoaded, 135}, {L"Current List:", 66}, {kNoName, 95}, {L"", 100}});

    // Each page's controls are made when the page is first shown.
    tsDesktopBackground = &pcTSL.AddPage(L"Desktop Wallpaper", [this](HWND page) { CreateDesktopPage(page); });
    tsConfiguration = &pcTSL.AddPage(L"Configuration", [this](HWND page) { CreateConfigurationPage(page); });
    tsProfiles = &pcTSL.AddPage(L"Profile Management", [this](HWND page) { CreateProfilesPage(page); });
    tsabout = &pcTSL.AddPage(L"About...", [this](HWND page) { CreateAboutPage(page); });
    pcTSL.onChange = [this] { pcTSLChange(); };
    pcTSL.onShow[0] = [this] { tsDesktopBackgroundShow(); };
    pcTSL.onShow[1] = [this] { tsConfigurationShow(); };
    pcTSL.SetActivePage(0);
}

void TfrmORV::CreateDesktopPage(HWND page) {
    lvTSL.Create(page, 3, 3, 230, 251,
                 {{L"File Name", 110}, {L"Comment", 100, LVCFMT_CENTER}, {L"Full Path", 0}},
                 {.headers = true, .gridLines = true, .editCaptions = false, .border = true,
                  .background = kListBackground});

    pnlControlPanel.Create(page, 239, 3, 224, 251, Panel::Frame::Border);
    HWND panel = pnlControlPanel.hwnd();
    struct { Panel* panel; int x, y; COLORREF colour; } colours[] = {
        {&pnlRed, 7, 9, RGB(255, 108, 108)}, {&pnlGreen, 116, 5, RGB(74, 255, 120)},
        {&pnlBlue, 4, 82, RGB(121, 188, 255)}, {&pnlYelow, 113, 78, RGB(255, 255, 106)}};
    for (auto& c : colours) c.panel->Create(panel, c.x, c.y, 102, 66, Panel::Frame::Border, c.colour);
    // The preview frame lies above the colour panels: only their outer corners show.
    pnlPreviewFrame.Create(panel, 11, 13, 200, 126, Panel::Frame::Border);
    SetWindowPos(pnlPreviewFrame.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    imgPreview.Create(pnlPreviewFrame.hwnd(), 0, 0, 198, 124);

    btnFullview.Create(panel, 7, 155, 116, 25, L"");
    btnSetWallpaper.Create(panel, 7, 186, 116, 25, L"");
    btnAddToContextMenu.Create(panel, 7, 217, 116, 25, L"");

    gbPosition.Create(panel, 129, 150, 86, 92, Panel::Frame::Group, CLR_INVALID, L"Position");
    cbxPosition.Create(gbPosition.hwnd(), 9, 22, 68, {L"Center", L"Tile", L"Stretch"}, kListBackground);
    btnPositionUpdate.Create(gbPosition.hwnd(), 8, 55, 70, 25, L"");
}

void TfrmORV::CreateConfigurationPage(HWND page) {
    gbOptions.Create(page, 3, 3, 206, 121, Panel::Frame::Group, CLR_INVALID, L"Main Options");
    HWND options = gbOptions.hwnd();
    cbxAutosave.Create(options, 24, 21, 161, 17, L"Autosave");
    cbxMinimizeToTray.Create(options, 24, 44, 153, 17, L"Minimize to Tray (on Start)");
    cbxStartUp.Create(options, 24, 67, 161, 17, L"Run with Windows Start Up");
    cbxSubDir.Create(options, 24, 90, 161, 17, L"Include Subfolders");

    gbShellEx.Create(page, 215, 3, 248, 121, Panel::Frame::Group, CLR_INVALID, L"Shell Extension");
    cbxIntegrateIntoShell.Create(gbShellEx.hwnd(), 24, 24, 121, 17, L"Integrate into Shell");

    gbContextMenu.Create(page, 3, 130, 206, 124, Panel::Frame::Group, CLR_INVALID, L"Context Menu");
    lvContextMenu.Create(gbContextMenu.hwnd(), 6, 19, 194, 99, {{L"Header", 80}, {L"Full Path", 113}},
                         {.headers = false, .gridLines = true, .editCaptions = true, .border = false,
                          .background = kListBackground});

    lblFile.Create(page, 221, 143, L"Select File");
    edtFile.Create(page, 304, 140, 122, 21, 0, true, kListBackground);
    btnBrowse.Create(page, 432, 140, 31, 21, L"...");
    lblHeader.Create(page, 221, 170, L"Enter a Header:");
    edtHeader.Create(page, 304, 167, 159, 21, 20, false, kListBackground);
    btnAddCMItem.Create(page, 215, 194, 120, 25, L"<<");
    btnRemoveCMItem.Create(page, 215, 225, 120, 25, L">>");
    btnRead.Create(page, 341, 194, 122, 25, L"Read ");
    btnWrite.Create(page, 341, 225, 122, 25, L"Apply");
}

void TfrmORV::CreateProfilesPage(HWND page) {
    lvProfiles.Create(page, 3, 3, 230, 251, {{L"Profiles", 224}, {L"Full Path", 0}},
                      {.headers = true, .gridLines = true, .editCaptions = false, .border = true,
                       .background = kListBackground});

    pnlProfiles.Create(page, 239, 3, 224, 251, Panel::Frame::Border);
    struct { Button* button; int y; } buttons[] = {
        {&btnNewProfile, 25}, {&btnLoadProfile, 69}, {&btnRemoveProfile, 113}, {&btnSaveProfile, 157},
        {&btnSaveProfileAs, 201}};
    for (auto& b : buttons) b.button->Create(pnlProfiles.hwnd(), 20, b.y, 182, 25, L"");
}

void TfrmORV::CreateAboutPage(HWND page) {
    pnlAbout.Create(page, 3, 3, 460, 251, Panel::Frame::Border);
    imgAbout.Create(pnlAbout.hwnd(), 3, 3, 452, 243);
    // The labels lie on the picture: their places are given on the panel, 3 pixels further out.
    HWND on = imgAbout.hwnd();
    auto at = [](int v) { return v - 3; };
    lblTSLAbout.Create(on, at(26), at(18), L"Orvane", UiFont(L"Courier New", 27), 400, 30);
    bvlTSL.Create(on, at(26), at(63), 400);
    lblVersionInfo.Create(on, at(26), at(123), L"Version:");
    lblVersion.Create(on, at(93), at(123), L"1.1");
    lblSupport.Create(on, at(26), at(147), L"Support:");
    lblSupportInfo.Create(on, at(93), at(147), kSupportAddress, UiFont(L"Tahoma", 11, true));
    lblSupportInfo.MakeLink(RGB(21, 93, 239));
    lblWebSite.Create(on, at(26), at(171), L"Web Site:");
    lblWebsiteinfo.Create(on, at(93), at(171), kWebSite, UiFont(L"Tahoma", 11, true));
    lblWebsiteinfo.MakeLink(RGB(21, 93, 239));
    Bevel1.Create(on, at(26), at(200), 400);
    lblNotice.Create(on, at(130), at(217), kMakerNotice);
}

void TfrmORV::LayoutBars() {
    // The pages keep their size: the window grows and shrinks with the bars shown.
    bool toolbar = aToolbar->checked(), statusbar = aStatusbar->checked();
    atbTSL.SetVisible(toolbar);
    sbTSL.SetVisible(statusbar);
    int top = toolbar ? kToolbarHeight : 0;
    SetClientSize(kClientWidth, top + kPagesHeight + (statusbar ? kStatusHeight : 0));
    pnlTSL.SetBounds(0, top, kClientWidth, kPagesHeight);
    if (statusbar) sbTSL.Resize();
}

} // namespace orv
