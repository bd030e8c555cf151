#include "app/FullView.h"

#include "app/MainUnit.h"
#include "app/PicturePainter.h"
#include "platform/Picture.h"

namespace orv {

namespace {
constexpr int kDesignWidth = 434, kDesignHeight = 177;
}

TfrmView::TfrmView(TfrmORV& owner) {
    CreateForm(owner.hwnd(), L"", WS_POPUP | WS_CLIPCHILDREN, 0, kDesignWidth, kDesignHeight);
    imgActualitySize.Create(hwnd_, 0, 0, kDesignWidth, kDesignHeight);
    imgActualitySize.onClick = [this] { imgActualitySizeClick(); };
}

void TfrmView::LoadPicture(const std::wstring& path) {
    // Scaled once to the screen it will cover.
    Picture picture =
        Picture::LoadForDisplay(path, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    imgActualitySize.SetPainter(
        MakePicturePainter(std::move(picture), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

void TfrmView::CentreImage() {
    // The image fills the client area, so each change of the client size realigns it and the
    // centring lands where it already is.
    RECT client{}, image{};
    GetClientRect(hwnd_, &client);
    image = imgActualitySize.Bounds();
    SetClientSize(client.right, image.bottom - image.top + 5);
    GetClientRect(hwnd_, &client);
    image = imgActualitySize.Bounds();
    const int imageHeight = image.bottom - image.top;
    imgActualitySize.SetBounds(image.left, client.top + (client.bottom - imageHeight) / 2,
                               image.right - image.left, imageHeight);
    AlignImage();
    image = imgActualitySize.Bounds();
    SetClientSize(image.right - image.left + 5, client.bottom);
    GetClientRect(hwnd_, &client);
    image = imgActualitySize.Bounds();
    const int imageWidth = image.right - image.left;
    imgActualitySize.SetBounds(client.left + (client.right - imageWidth) / 2, image.top, imageWidth,
                               image.bottom - image.top);
    AlignImage();
}

void TfrmView::FormActivate() {
    SetWindowPos(hwnd_, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmView::FormKeyPress(wchar_t) {
    CloseView();
}

void TfrmView::FormMouseUp(UINT) {
    CloseView();
}

void TfrmView::imgActualitySizeClick() {
    CloseView();
}

void TfrmView::CloseView() {
    if (IsModal())
        SetModalResult(IDCANCEL);
    else
        ShowWindow(hwnd_, SW_HIDE);
}

void TfrmView::AlignImage() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    imgActualitySize.SetBounds(0, 0, client.right, client.bottom);
}

LRESULT TfrmView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
        break;
    case WM_SIZE:
        AlignImage();
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
        return 1;
    }
    case WM_CHAR: // only keys that give a character: arrows and F-keys never get here
        FormKeyPress(static_cast<wchar_t>(wParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        FormMouseUp(message == WM_LBUTTONUP ? MK_LBUTTON : message == WM_RBUTTONUP ? MK_RBUTTON : MK_MBUTTON);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace orv
