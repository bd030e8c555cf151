#include "ui/Human.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/AppError.h"
#include "platform/ComApartment.h"
#include "ui/Form.h"

namespace orv {
namespace {

DesktopHuman gDesktopHuman;
Human* gHuman = &gDesktopHuman;
std::wstring gTitle = L"Orvane";

// "A|*.a|B|*.b" to the double-NUL-terminated form the common dialogs take.
std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring out = filter;
    for (wchar_t& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

// The dialogs append the default extension to a name typed without one. The stored "*.lst"
// form is understood as "lst".
std::wstring DefaultExtension(const std::wstring& stored) {
    size_t dot = stored.find_last_of(L'.');
    return dot == std::wstring::npos ? stored : stored.substr(dot + 1);
}

OPENFILENAMEW MakeOfn(HWND owner, const FileDialogSpec& dialog, std::wstring& filter, std::wstring& ext,
                      std::vector<wchar_t>& buffer) {
    filter = DialogFilter(dialog.filter);
    ext = DefaultExtension(dialog.defaultExt);
    buffer.assign(std::max<size_t>(dialog.bufferChars, MAX_PATH), L'\0');
    if (dialog.initialPath.size() < buffer.size()) std::copy(dialog.initialPath.begin(), dialog.initialPath.end(), buffer.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = dialog.options | OFN_EXPLORER | OFN_ENABLESIZING;
    return ofn;
}

} // namespace

Human& TheHuman() { return *gHuman; }

Human* SetHuman(Human* human) {
    Human* previous = gHuman;
    gHuman = human ? human : &gDesktopHuman;
    return previous;
}

const std::wstring& ApplicationTitle() { return gTitle; }
void SetApplicationTitle(std::wstring title) { gTitle = std::move(title); }

int DesktopHuman::Ask(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

std::optional<std::vector<std::wstring>> DesktopHuman::OpenFiles(HWND owner, const FileDialogSpec& dialog) {
    std::wstring filter, ext;
    std::vector<wchar_t> buffer;
    OPENFILENAMEW ofn = MakeOfn(owner, dialog, filter, ext, buffer);
    EnsureComApartment();  // the dialog hosts shell views
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    // Multi-select answers "folder\0name\0name\0\0"; a single choice is one full path.
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> files;
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

std::optional<std::wstring> DesktopHuman::SaveFile(HWND owner, const FileDialogSpec& dialog) {
    std::wstring filter, ext;
    std::vector<wchar_t> buffer;
    OPENFILENAMEW ofn = MakeOfn(owner, dialog, filter, ext, buffer);
    EnsureComApartment();
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    return std::wstring(buffer.data());
}

std::optional<std::wstring> DesktopHuman::BrowseFolder(HWND owner, const std::wstring& instruction) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = [](HWND dialog, UINT message, LPARAM, LPARAM data) -> int {
        if (message == BFFM_INITIALIZED) {  // centre on the main window's monitor
            HMONITOR monitor = MonitorFromWindow(reinterpret_cast<HWND>(data), MONITOR_DEFAULTTONEAREST);
            MONITORINFO mi{sizeof(mi)};
            RECT r;
            if (GetMonitorInfoW(monitor, &mi) && GetWindowRect(dialog, &r)) {
                int w = r.right - r.left, h = r.bottom - r.top;
                SetWindowPos(dialog, nullptr, mi.rcWork.left + (mi.rcWork.right - mi.rcWork.left - w) / 2,
                             mi.rcWork.top + (mi.rcWork.bottom - mi.rcWork.top - h) / 2, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        return 0;
    };
    info.lParam = reinterpret_cast<LPARAM>(owner);
    EnsureComApartment();  // the new dialog style needs it
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info);
    if (!pidl) return std::nullopt;
    wchar_t path[MAX_PATH * 4] = {};
    bool ok = SHGetPathFromIDListEx(pidl, path, ARRAYSIZE(path), GPFIDL_DEFAULT);
    CoTaskMemFree(pidl);
    if (!ok) return std::nullopt;
    return std::wstring(path);
}

std::optional<COLORREF> DesktopHuman::ChooseColour(HWND owner, COLORREF initial) {
    static COLORREF custom[16] = {};
    for (COLORREF& c : custom)
        if (c == 0) c = RGB(255, 255, 255);
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
}

int DesktopHuman::RunModal(Form& form) { return form.RunModalLoop(); }

bool Confirm(HWND owner, const std::wstring& question) {
    return TheHuman().Ask(owner, question, L"Confirmation", MB_YESNO) == IDYES;
}

void ShowPlainMessage(HWND owner, const std::wstring& text) {
    TheHuman().Ask(owner, text, ApplicationTitle(), MB_OK);
}

void ShowErrorBox(HWND owner, const std::wstring& text) {
    TheHuman().Ask(owner, WithFullStop(text), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

} // namespace orv
