// The action table and the menus of the main window, as data.
#include "app/MainUnit.h"
#include "ui/Menu.h"

namespace orv {
namespace {

struct ActionDef {
    Action* TfrmORV::*member;
    const wchar_t* name;
    const wchar_t* category;
    const wchar_t* caption;
    const wchar_t* hint;
    Shortcut shortcut;
    int picture;  // -1: none; 13 or more: none either, the image list holds 13
    void (TfrmORV::*handler)();
    bool autoCheck = false;
};

constexpr BYTE kCtrl = FCONTROL, kShiftCtrl = FCONTROL | FSHIFT;

const ActionDef kActions[] = {
    {&TfrmORV::aAddItems, L"aAddItems", L"Edit", L"Add Item(s)", L"Add Item(s)", {VK_INSERT, 0}, 2, &TfrmORV::aAddItemsExecute},
    {&TfrmORV::aToolbar, L"aToolbar", L"View", L"Toolbar", L"", {}, -1, &TfrmORV::aToolbarExecute, true},
    {&TfrmORV::aStatusbar, L"aStatusbar", L"View", L"Statusbar", L"", {}, -1, &TfrmORV::aStatusbarExecute, true},
    {&TfrmORV::aNewProfile, L"aNewProfile", L"Profiles", L"New Profile", L"Create New Profile", {}, 13, &TfrmORV::aNewProfileExecute},
    {&TfrmORV::aAbout, L"aAbout", L"Help", L"About...", L"About Orvane", {VK_F1, 0}, 5, &TfrmORV::aAboutExecute},
    {&TfrmORV::aNewList, L"aNewList", L"File", L"New List", L"Create New List", {'N', kCtrl}, 10, &TfrmORV::aNewListExecute},
    {&TfrmORV::aConfiguration, L"aConfiguration", L"Tools", L"Configuration", L"Configuration", {VK_F11, kShiftCtrl}, 9, &TfrmORV::aConfigurationExecute},
    {&TfrmORV::aOpenList, L"aOpenList", L"File", L"Open List", L"Open List", {'O', kCtrl}, 1, &TfrmORV::aOpenListExecute},
    {&TfrmORV::aClearList, L"aClearList", L"File", L"Clear List", L"Clear Current List", {}, -1, &TfrmORV::aClearListExecute},
    {&TfrmORV::aSaveList, L"aSaveList", L"File", L"Save List", L"Save Current List", {'S', kCtrl}, 0, &TfrmORV::aSaveListExecute},
    {&TfrmORV::aSaveListAs, L"aSaveListAs", L"File", L"Save List As...", L"Save List As...", {}, -1, &TfrmORV::aSaveListAsExecute},
    {&TfrmORV::aExit, L"aExit", L"File", L"Exit", L"", {}, 16, &TfrmORV::aExitExecute},
    {&TfrmORV::aAddFolder, L"aAddFolder", L"Edit", L"Add Folder(s)", L"Add Folder(s)", {}, 4, &TfrmORV::aAddFolderExecute},
    {&TfrmORV::aRemoveItem, L"aRemoveItem", L"Edit", L"Delete Item", L"Delete Item", {VK_DELETE, 0}, 3, &TfrmORV::aRemoveItemExecute},
    {&TfrmORV::aSetWallpaper, L"aSetWallpaper", L"Edit", L"Set Wallpaper", L"Set Wallpaper", {}, 6, &TfrmORV::aSetWallpaperExecute},
    {&TfrmORV::aCancel, L"aCancel", L"Edit", L"Undo", L"Undo", {'Z', kCtrl}, 12, &TfrmORV::aCancelExecute},
    {&TfrmORV::aHide, L"aHide", L"View", L"Hide", L"Minimize To Tray", {}, 7, &TfrmORV::aHideExecute},
    {&TfrmORV::aShow, L"aShow", L"View", L"Show", L"", {}, 8, &TfrmORV::aShowExecute},
    {&TfrmORV::aLoadProfile, L"aLoadProfile", L"Profiles", L"Load Profile", L"Load Profile", {}, -1, &TfrmORV::aLoadProfileExecute},
    {&TfrmORV::aRemoveProfile, L"aRemoveProfile", L"Profiles", L"Delete Profile", L"Delete Profile", {}, -1, &TfrmORV::aRemoveProfileExecute},
    {&TfrmORV::aSaveProfile, L"aSaveProfile", L"Profiles", L"Save Current Profile", L"Save Current Profile", {}, -1, &TfrmORV::aSaveProfileExecute},
    {&TfrmORV::aSaveProfileAs, L"aSaveProfileAs", L"Profiles", L"Save Profile As...", L"Save Profile As...", {}, -1, &TfrmORV::aSaveProfileAsExecute},
    {&TfrmORV::aPreview, L"aPreview", L"", L"Preview", L"Preview Picture in Full Window", {}, -1, &TfrmORV::aPreviewExecute},
    {&TfrmORV::aRemoveFromCM, L"aRemoveFromCM", L"", L"Remove from Context Menu", L"", {}, -1, &TfrmORV::aRemoveFromCMExecute},
    {&TfrmORV::aReadRegValue, L"aReadRegValue", L"", L"Read Reg Value", L"", {}, -1, &TfrmORV::aReadRegValueExecute},
    {&TfrmORV::aWriteRegValue, L"aWriteRegValue", L"", L"Write Reg Value", L"", {}, -1, &TfrmORV::aWriteRegValueExecute},
    {&TfrmORV::aReadProfileList, L"aReadProfileList", L"Profiles", L"Read Profile List", L"", {}, -1, &TfrmORV::aReadProfileListExecute},
    {&TfrmORV::aWriteProfileList, L"aWriteProfileList", L"Profiles", L"Write Profile List", L"", {}, -1, &TfrmORV::aWriteProfileListExecute},
    {&TfrmORV::aSaveWallpaperList, L"aSaveWallpaperList", L"", L"Save Wallpaper List", L"", {}, -1, &TfrmORV::aSaveWallpaperListExecute},
    {&TfrmORV::aStartUp, L"aStartUp", L"", L"Start Up", L"", {}, -1, &TfrmORV::aStartUpExecute},
    {&TfrmORV::aAddToCM, L"aAddToCM", L"", L"Add to Context Menu", L"", {}, -1, &TfrmORV::aAddToCMExecute},
    {&TfrmORV::aColor, L"aColor", L"", L"Color", L"", {}, -1, &TfrmORV::aColorExecute},
    {&TfrmORV::aUpdatePosition, L"aUpdatePosition", L"", L"Update", L"Update Wallpaper Position", {}, -1, &TfrmORV::aUpdatePositionExecute},
};

} // namespace

void TfrmORV::CreateActions() {
    for (const ActionDef& def : kActions) {
        Action& a = amTSL.Add(def.name);
        a.category = def.category;
        a.caption = def.caption;
        a.hint = def.hint;
        a.shortcut = def.shortcut;
        a.imageIndex = def.picture;
        a.autoCheck = def.autoCheck;
        a.onExecute = [this, handler = def.handler] { (this->*handler)(); };
        this->*def.member = &a;
    }
    aToolbar->SetChecked(true);
    aStatusbar->SetChecked(true);
}

void TfrmORV::CreateMenus() {
    ammbTSL = BuildMenuBar({
        {L"&File", nullptr, {
            {L"&New List", aNewList}, {L"&Open List", aOpenList}, Separator(),
            {L"&Clear List", aClearList}, Separator(),
            {L"&Save List", aSaveList}, {L"S&ave List As...", aSaveListAs}, Separator(),
            {L"&Exit", aExit}}},
        {L"&Edit", nullptr, {
            {L"&Add Item(s)", aAddItems}, {L"A&dd Folder(s)", aAddFolder}, Separator(),
            {L"D&elete Item", aRemoveItem}, Separator(),
            {L"&Set Wallpaper", aSetWallpaper}, {L"", aCancel}}},
        {L"&View", nullptr, {
            {L"&Toolbar", aToolbar}, {L"&Statusbar", aStatusbar}, Separator(), {L"&Hide", aHide}}},
        {L"&Tools", nullptr, {{L"&Configuration", aConfiguration}}},
        {L"&Profiles", nullptr, {
            {L"&New Profile", aNewProfile}, {L"&Load Profile", aLoadProfile}, Separator(),
            {L"&Delete Profile", aRemoveProfile}, Separator(),
            {L"&Save Current Profile", aSaveProfile}, {L"S&ave Profile As...", aSaveProfileAs}}},
        {L"&Help", nullptr, {{L"&About...", aAbout}}},
    });
    pabWallpaper = BuildPopupMenu({
        {L"", aRemoveItem}, Separator(), {L"", aPreview}, {L"", aSetWallpaper}, Separator(),
        {L"", aAddToCM}, Separator(), {L"", aClearList}});
}

} // namespace orv
