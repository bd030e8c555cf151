// Handlers that belong to the window itself: pages, bars, colour panels, links, list clicks,
// row striping.
#include <windows.h>
#include <shellapi.h>

#include "app/MainUnit.h"
#include "app/Resources.h"
#include "platform/ComApartment.h"

namespace orv {

void TfrmORV::ShowPage(int index) { pcTSL.SetActivePage(index); }

void TfrmORV::aAboutExecute() { ShowPage(3); }

void TfrmORV::aConfigurationExecute() { ShowPage(1); }

void TfrmORV::aToolbarExecute() { LayoutBars(); }

void TfrmORV::aStatusbarExecute() { LayoutBars(); }

void TfrmORV::aColorExecute() {
    // The chosen colour is not used for anything.
    TheHuman().ChooseColour(hwnd_, RGB(255, 255, 255));
}

void TfrmORV::lblSupportInfoClick() {
    std::wstring link = std::wstring(L"mailto:") + kSupportAddress;
    EnsureComApartment();  // the handler of a link may be a COM object
    ShellExecuteW(nullptr, nullptr, link.c_str(), nullptr, L"", SW_HIDE);
}

void TfrmORV::lblWebsiteinfoClick() {
    EnsureComApartment();
    ShellExecuteW(nullptr, nullptr, kWebSite, nullptr, L"", SW_HIDE);
}

void TfrmORV::pcTSLChange() { RefreshCommandState(); }

void TfrmORV::tsDesktopBackgroundShow() { sbTSL.SetAlignment(kInfoPanel, StatusBar::Align::Center); }

void TfrmORV::tsConfigurationShow() { sbTSL.SetAlignment(kInfoPanel, StatusBar::Align::Left); }

void TfrmORV::lvTSLClick() { RefreshCommandState(); }

void TfrmORV::lvTSLSelectItem(int, bool) {
    if (lvTSL.selected() >= 0) RefreshCommandState();
}

void TfrmORV::lvContextMenuClick() { RefreshCommandState(); }

void TfrmORV::lvContextMenuEdited() {
    state.menuEntriesModified = true;
    RefreshCommandState();
}

void TfrmORV::lvProfilesClick() { RefreshCommandState(); }

void TfrmORV::lvProfilesSelectItem(int, bool) { RefreshCommandState(); }

COLORREF TfrmORV::lvTSLCustomDrawItem(size_t index) {
    // Every second row slightly darker than the list's own background.
    uint16_t row = static_cast<uint16_t>(index);
    return row % 2 ? RGB(255, 255, 213) : RGB(255, 255, 234);
}

} // namespace orv
