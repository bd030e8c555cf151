#pragma once
// A main window over profiles prepared on disk and in the registry before it starts, with
// helpers that read back what the commands left in the files, folders and subkeys.
#include <string>
#include <vector>

#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "profiles/ProfileName.h"
#include "support/MainWindowFixture.h"

namespace orv::test {

struct StoredOptions {
    bool startUp = false, minimize = false, autoSave = false, subDir = true, shell = false;
};

class ProfileWindowTest : public MainWindowTest {
  protected:
    std::wstring ProfileFolder(const std::wstring& name) const {
        return programFolder + L"Profiles\\" + name;
    }
    std::wstring ProfileFile(const std::wstring& name) const {
        return ProfileFolder(name) + L"\\" + name + L".ini";
    }

    // A registered profile with its folder and file; `list` names a list file of `pictures`
    // entries (none when empty).
    void MakeProfile(const std::wstring& name, StoredOptions options = {}, const std::wstring& list = L"",
                     int pictures = 0);
    // default.ini names the profile to load at start.
    void StartWith(const std::wstring& name);

    // Subkeys of the Profiles key as "name = default value", in registry order.
    static std::vector<std::wstring> StoredProfiles();
    // lvProfiles rows as "caption = path".
    static std::vector<std::wstring> Rows(const ListView& view);
    static std::vector<std::wstring> Captions(const ListView& view);
    std::wstring StoredValue(const std::wstring& name, const wchar_t* key) {
        return IniFile(ProfileFile(name)).ReadString(L"ProgrammOptions", key, L"<none>");
    }

    // Modal scripts acting on the real dialog.
    static std::function<void(Form&)> TypeAndEnter(std::wstring name);
    static std::function<void(Form&)> PressCancel();
    static TfrmProfileName& Dialog(Form& form) { return static_cast<TfrmProfileName&>(form); }

    std::wstring ListFolder() const { return folder.path() + L"Lists\\"; }
};

} // namespace orv::test

namespace orv::test {

// Everything the person was asked, in order: "Caption: text" for message boxes, "Modal" for the
// name dialog.
inline std::vector<std::wstring> Transcript(const ScriptedHuman& human) {
    std::vector<std::wstring> out;
    for (const Asked& a : human.asked)
        out.push_back(a.kind == L"Ask" ? a.caption + L": " + a.text : a.kind);
    return out;
}

inline constexpr wchar_t kSaveQuestion[] =
    L"Confirmation: Current profile has been modified. Do you want to save it?";
inline constexpr wchar_t kDeleteQuestion[] = L"Confirmation: Do you realy want to delete this profile?";

} // namespace orv::test
