#pragma once
// The one seam through which everything a person answers passes: questions, message boxes, the
// error box, file and folder dialogs, the colour dialog, and the modal loop of our own forms.
// Production shows the real thing; tests install a scripted Human that answers in order.
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace orv {

class Form;

struct FileDialogSpec {
    std::wstring filter;         // "Text|*.txt|All|*.*" form
    std::wstring defaultExt;     // as stored, e.g. "*.lst"
    std::wstring initialPath;    // full path chosen last time, or empty
    DWORD options = 0;           // OFN_* flags
    size_t bufferChars = MAX_PATH;
};

class Human {
public:
    virtual ~Human() = default;
    // MessageBox: returns IDYES, IDNO, IDOK, IDCANCEL...
    virtual int Ask(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) = 0;
    // Open dialog: the chosen full paths (several with OFN_ALLOWMULTISELECT); nullopt on cancel.
    virtual std::optional<std::vector<std::wstring>> OpenFiles(HWND owner, const FileDialogSpec& dialog) = 0;
    virtual std::optional<std::wstring> SaveFile(HWND owner, const FileDialogSpec& dialog) = 0;
    virtual std::optional<std::wstring> BrowseFolder(HWND owner, const std::wstring& instruction) = 0;
    virtual std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) = 0;
    // Shows `form` modally and returns its modal result.
    virtual int RunModal(Form& form) = 0;
};

Human& TheHuman();
// Installs a replacement (tests); null restores the real dialogs. Returns the previous one.
Human* SetHuman(Human* human);

// The real dialogs.
class DesktopHuman : public Human {
public:
    int Ask(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override;
    std::optional<std::vector<std::wstring>> OpenFiles(HWND owner, const FileDialogSpec& dialog) override;
    std::optional<std::wstring> SaveFile(HWND owner, const FileDialogSpec& dialog) override;
    std::optional<std::wstring> BrowseFolder(HWND owner, const std::wstring& instruction) override;
    std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) override;
    int RunModal(Form& form) override;
};

// Common questions and boxes, all through TheHuman().
bool Confirm(HWND owner, const std::wstring& question);  // "Confirmation", Yes/No, no icon
void ShowPlainMessage(HWND owner, const std::wstring& text);  // OK, caption = application title
void ShowErrorBox(HWND owner, const std::wstring& text);     // "Orvane", error icon, full-stop rule

const std::wstring& ApplicationTitle();
void SetApplicationTitle(std::wstring title);

} // namespace orv
