#include "support/MainWindowFixture.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/Registry.h"

namespace orv::test {

void ClearProductRegistry() {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Kestovar");
    if (RegKey run = RegKey::Open(HKEY_LOCAL_MACHINE, kRunKey)) run.DeleteValue(L"TSL.exe");
}

void MainWindowTest::SetUp() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    ClearProductRegistry();
    programFolder = folder.path() + L"Program\\";
    MakeFolder(programFolder);
    desktopBitmap = folder.path() + L"desktop.bmp";
    WriteBytes(desktopBitmap, BitmapBytes(32, 24));
    SetDesktopValue(L"Wallpaper", desktopBitmap);
    SetDesktopValue(L"ConvertedWallpaper", desktopBitmap);
    SetDesktopValue(L"TileWallpaper", L"0");
    SetDesktopValue(L"WallpaperStyle", L"0");
}

void MainWindowTest::TearDown() {
    Discard();
    ClearProductRegistry();
    EXPECT_EQ(human.unexpected, 0) << "a question or dialog came that the test did not script";
}

TfrmORV& MainWindowTest::Open() {
    window = std::make_unique<TfrmORV>(programFolder + L"ORV.exe");
    DrainMessages();
    return *window;
}

void MainWindowTest::Discard() {
    window.reset();
    DrainMessages();
}

void MainWindowTest::DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MainWindowTest::SetDesktopValue(const wchar_t* name, const std::wstring& value) {
    RegKey key = RegKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    if (value.empty()) key.DeleteValue(name);
    else key.WriteString(name, value);
}

std::wstring MainWindowTest::DesktopValue(const wchar_t* name) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey);
    auto value = key.ReadString(name);
    return value ? *value : L"<missing>";
}

} // namespace orv::test
