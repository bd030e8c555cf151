#include "support/ScriptedHuman.h"

namespace orv::test {

std::vector<std::wstring> ScriptedHuman::Questions() const {
    std::vector<std::wstring> out;
    for (const Asked& a : asked)
        if (a.kind == L"Ask") out.push_back(a.caption + L": " + a.text);
    return out;
}

int ScriptedHuman::Ask(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
    asked.push_back({L"Ask", text, caption, flags});
    if (answers.empty()) {
        ++unexpected;
        return (flags & 0xF) == MB_YESNO ? IDNO : IDOK;
    }
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::vector<std::wstring>> ScriptedHuman::OpenFiles(HWND, const FileDialogSpec& dialog) {
    asked.push_back({L"Open", dialog.filter, L"", dialog.options});
    openSpecs.push_back(dialog);
    if (openAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<std::wstring> ScriptedHuman::SaveFile(HWND, const FileDialogSpec& dialog) {
    asked.push_back({L"Save", dialog.filter, L"", dialog.options});
    saveSpecs.push_back(dialog);
    if (saveAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<std::wstring> ScriptedHuman::BrowseFolder(HWND, const std::wstring& instruction) {
    asked.push_back({L"Folder", instruction, L"", 0});
    if (folderAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::optional<COLORREF> ScriptedHuman::ChooseColour(HWND, COLORREF) {
    asked.push_back({L"Colour", L"", L"", 0});
    if (colourAnswers.empty()) return std::nullopt;
    auto answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
}

int ScriptedHuman::RunModal(Form& form) {
    asked.push_back({L"Modal", L"", L"", 0});
    if (modalScripts.empty()) {
        ++unexpected;
        return IDCANCEL;
    }
    auto script = modalScripts.front();
    modalScripts.pop_front();
    script(form);
    return form.modalResult() ? form.modalResult() : IDCANCEL;
}

} // namespace orv::test
