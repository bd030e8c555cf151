#include "unit/profilecommands/ProfileFixture.h"

#include "lists/ListFile.h"

namespace orv::test {

void ProfileWindowTest::MakeProfile(const std::wstring& name, StoredOptions options, const std::wstring& list,
                                    int pictures) {
    MakeFolder(ProfileFolder(name));
    IniFile ini(ProfileFile(name));
    ini.WriteBool(L"ProgrammOptions", L"StartUp", options.startUp);
    ini.WriteBool(L"ProgrammOptions", L"Minimize", options.minimize);
    ini.WriteBool(L"ProgrammOptions", L"AutoSave", options.autoSave);
    ini.WriteBool(L"ProgrammOptions", L"SubDir", options.subDir);
    ini.WriteBool(L"ProgrammOptions", L"Shell", options.shell);
    if (list.empty()) {
        ini.WriteString(L"Wallpaper", L"WallpaperListName", kNoName);
        ini.WriteString(L"Wallpaper", L"WallpaperListPath", L"");
    } else {
        MakeFolder(ListFolder());
        ListRows rows;
        for (int i = 0; i < pictures; ++i) {
            std::wstring picture = name + L"-" + std::to_wstring(i) + L".bmp";
            rows.Append(picture, {ListFolder() + picture, L"none"});
        }
        WriteListFile(ListFolder() + list, rows);
        ini.WriteString(L"Wallpaper", L"WallpaperListName", list);
        ini.WriteString(L"Wallpaper", L"WallpaperListPath", ListFolder() + list);
    }
    RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + name)
        .WriteString(L"", ProfileFile(name));
}

void ProfileWindowTest::StartWith(const std::wstring& name) {
    IniFile(programFolder + L"default.ini").WriteString(L"Profile", L"ProfileName", name);
}

std::vector<std::wstring> ProfileWindowTest::StoredProfiles() {
    std::vector<std::wstring> stored;
    RegKey profiles = RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey);
    for (const std::wstring& name : profiles.SubkeyNames())
        stored.push_back(name + L" = " +
                         RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + name)
                             .ReadString(L"")
                             .value_or(L"<none>"));
    return stored;
}

std::vector<std::wstring> ProfileWindowTest::Rows(const ListView& view) {
    std::vector<std::wstring> rows;
    for (size_t i = 0; i < view.count(); ++i)
        rows.push_back(std::wstring(view.rows().Caption(i)) + L" = " +
                       std::wstring(view.rows().SubItemCount(i) ? view.rows().SubItem(i, 0) : L"<none>"));
    return rows;
}

std::vector<std::wstring> ProfileWindowTest::Captions(const ListView& view) {
    std::vector<std::wstring> captions;
    for (size_t i = 0; i < view.count(); ++i)
        captions.emplace_back(view.rows().Caption(i));
    return captions;
}

std::function<void(Form&)> ProfileWindowTest::TypeAndEnter(std::wstring name) {
    return [name](Form& form) {
        TfrmProfileName& dialog = Dialog(form);
        dialog.edtProfileName.SetText(name);
        dialog.edtProfileName.KeyDown(VK_RETURN);
    };
}

std::function<void(Form&)> ProfileWindowTest::PressCancel() {
    return [](Form& form) { Dialog(form).btnCancel.Click(); };
}

} // namespace orv::test
