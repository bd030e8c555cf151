#pragma once
// A scripted stand-in for the person at the screen: answers questions and dialogs in the order
// the test queued them, and records every question word for word.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Human.h"

namespace orv::test {

struct Asked {
    std::wstring kind;     // "Ask", "Open", "Save", "Folder", "Colour", "Modal"
    std::wstring text;     // question text, dialog filter or instruction
    std::wstring caption;  // message box caption
    UINT flags = 0;        // message box flags or dialog options
    bool operator==(const Asked&) const = default;
};

class ScriptedHuman : public Human {
public:
    ScriptedHuman() { previous_ = SetHuman(this); }
    ~ScriptedHuman() override { SetHuman(previous_); }

    std::deque<int> answers;  // IDYES, IDNO, IDOK...
    std::deque<std::optional<std::vector<std::wstring>>> openAnswers;
    std::deque<std::optional<std::wstring>> saveAnswers;
    std::deque<std::optional<std::wstring>> folderAnswers;
    std::deque<std::optional<COLORREF>> colourAnswers;
    // Acts on the real form (types into its edit, presses its buttons) and returns; the modal
    // result is then the form's own.
    std::deque<std::function<void(Form&)>> modalScripts;

    std::vector<Asked> asked;
    std::vector<FileDialogSpec> openSpecs, saveSpecs;
    // Questions nobody scripted an answer for.
    int unexpected = 0;

    // The message box questions alone, "caption: text".
    std::vector<std::wstring> Questions() const;

    int Ask(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override;
    std::optional<std::vector<std::wstring>> OpenFiles(HWND owner, const FileDialogSpec& dialog) override;
    std::optional<std::wstring> SaveFile(HWND owner, const FileDialogSpec& dialog) override;
    std::optional<std::wstring> BrowseFolder(HWND owner, const std::wstring& instruction) override;
    std::optional<COLORREF> ChooseColour(HWND owner, COLORREF initial) override;
    int RunModal(Form& form) override;

private:
    Human* previous_ = nullptr;
};

} // namespace orv::test
