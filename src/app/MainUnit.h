#pragma once
// TfrmORV, the main window: the program state, every control of the four pages, the actions,
// and the commands. The commands are implemented beside the subsystem they belong to
// (lists/, profiles/, desktop/, menuentries/, app/); this is the one declaration they share.
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "ui/Action.h"
#include "ui/Bars.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Human.h"
#include "ui/ListView.h"

namespace orv {

class Picture;
class TfrmProfileName;
class TfrmView;
class TrayIcon;

class TfrmORV : public Form {
public:
    // Creates the window and runs the start-up sequence (FormCreate). `programFile` is the full
    // path of the program file; tests pass a path in a scratch folder.
    explicit TfrmORV(std::wstring programFile);
    ~TfrmORV() override;

    void Show();

    // ---- program state ----
    ProgramState state;

    // ---- actions (action manager amTSL) ----
    ActionList amTSL;
    Action *aAddItems, *aToolbar, *aStatusbar, *aNewProfile, *aAbout, *aNewList, *aConfiguration, *aOpenList,
        *aClearList, *aSaveList, *aSaveListAs, *aExit, *aAddFolder, *aRemoveItem, *aSetWallpaper, *aCancel, *aHide,
        *aShow, *aLoadProfile, *aRemoveProfile, *aSaveProfile, *aSaveProfileAs, *aPreview, *aRemoveFromCM,
        *aReadRegValue, *aWriteRegValue, *aReadProfileList, *aWriteProfileList, *aSaveWallpaperList, *aStartUp,
        *aAddToCM, *aColor, *aUpdatePosition;

    // ---- controls ----
    HMENU ammbTSL = nullptr;      // the menu bar
    HMENU pabWallpaper = nullptr; // shortcut menu of lvTSL
    HIMAGELIST ilTSL = nullptr;
    ToolBar atbTSL;
    Panel pnlTSL;
    PageControl pcTSL;
    StatusBar sbTSL;
    Panel *tsDesktopBackground = nullptr, *tsConfiguration = nullptr, *tsProfiles = nullptr, *tsabout = nullptr;
    // page 0
    ListView lvTSL;
    Panel pnlControlPanel, pnlRed, pnlGreen, pnlBlue, pnlYelow, pnlPreviewFrame;
    Image imgPreview;
    Button btnFullview, btnSetWallpaper, btnAddToContextMenu, btnPositionUpdate;
    Panel gbPosition;
    ComboBox cbxPosition;
    // page 1
    Panel gbOptions, gbShellEx, gbContextMenu;
    CheckBox cbxAutosave, cbxMinimizeToTray, cbxStartUp, cbxSubDir{true}, cbxIntegrateIntoShell;
    ListView lvContextMenu;
    Label lblFile, lblHeader;
    Edit edtFile, edtHeader;
    Button btnBrowse, btnAddCMItem, btnRemoveCMItem, btnRead, btnWrite;
    // page 2
    ListView lvProfiles;
    Panel pnlProfiles;
    Button btnNewProfile, btnLoadProfile, btnRemoveProfile, btnSaveProfile, btnSaveProfileAs;
    // page 3
    Panel pnlAbout;
    Image imgAbout;
    Label lblTSLAbout, lblVersionInfo, lblVersion, lblSupport, lblSupportInfo, lblWebSite, lblWebsiteinfo, lblNotice;
    Bevel bvlTSL, Bevel1;
    // the dialogs' remembered paths (odTSL, sdTSL)
    std::wstring odTSLPath, sdTSLPath;
    // secondary forms, created on first use and owned by the main window
    std::unique_ptr<TfrmProfileName> frmProfileName;
    std::unique_ptr<TfrmView> frmView;
    std::unique_ptr<TrayIcon> tiTSL;
    HMENU pabTrayPopupMenu = nullptr;

    // ---- lifecycle (app/Lifecycle.cpp) ----
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void SaveOnExit();
    void aExitExecute();
    // Asks to close as the close box does; true when the window was closed.
    bool RequestClose();

    // ---- window handlers (app/WindowHandlers.cpp) ----
    void aAboutExecute();
    void aConfigurationExecute();
    void aToolbarExecute();
    void aStatusbarExecute();
    void aColorExecute();
    void lblSupportInfoClick();
    void lblWebsiteinfoClick();
    void pcTSLChange();
    void tsDesktopBackgroundShow();
    void tsConfigurationShow();
    void lvTSLClick();
    void lvTSLSelectItem(int index, bool selected);
    void lvContextMenuClick();
    void lvContextMenuEdited();
    void lvProfilesClick();
    void lvProfilesSelectItem(int index, bool selected);
    COLORREF lvTSLCustomDrawItem(size_t index);
    void ShowPage(int index);

    // ---- command state (app/CommandState.cpp) ----
    void RefreshCommandState();

    // ---- preview and full view (app/Preview.cpp) ----
    void aPreviewExecute();
    std::wstring GetPictureInfo(const std::wstring& path);
    // Loads a picture file into imgPreview; throws the loader's error, keeping the old picture.
    void LoadPreview(const std::wstring& path);
    // Loads the desktop's current wallpaper into imgPreview; a desktop without a wallpaper
    // empties the pane instead of failing.
    void LoadCurrentWallpaperPreview();
    // Size text ("W x H") of the picture LoadPreview loaded last, so that the refresh need not
    // decode the same file a second time.
    std::wstring previewInfo;

    // ---- wallpaper list and list files (lists/) ----
    void SaveListFile();
    void LoadListFromPath();
    void LoadStartupList();
    void aAddItemsExecute();
    void aAddFolderExecute();
    void aRemoveItemExecute();
    void aClearListExecute();
    void AddSelectedFiles(const std::vector<std::wstring>& files);
    void ScanFolder(const std::wstring& folder);
    void AppendScannedFiles();
    void DeleteSelectedEntries();
    void ClearWallpaperList();
    void aNewListExecute();
    void aOpenListExecute();
    void aSaveListExecute();
    void aSaveListAsExecute();
    void aSaveWallpaperListExecute();
    void NewListFile();
    void OpenListFile();
    void SaveListFileAs();
    // Full path (sub-item 1) of the selected wallpaper entry; throws the list error when the
    // entry has none.
    std::wstring SelectedWallpaperPath() const;

    // ---- profiles (profiles/) ----
    void ReadDefaultProfileName();
    void WriteDefaultProfileName();
    void LoadStartupProfile();
    void LoadProfile();
    void ResetProfile();
    void SaveProfile();
    void CreateProfile();
    void aReadProfileListExecute();
    void aWriteProfileListExecute();
    void aStartUpExecute();
    void ToggleProfileModified();
    void cbxStartUpClick();
    void cbxMinimizeToTrayClick();
    void cbxSubDirClick();
    void cbxAutosaveClick();
    void cbxIntegrateIntoShellClick();
    void aNewProfileExecute();
    void aLoadProfileExecute();
    void aRemoveProfileExecute();
    void aSaveProfileExecute();
    void aSaveProfileAsExecute();
    void QuerySaveProfile();
    std::wstring ProfileFilePath(const std::wstring& name) const;

    // ---- desktop wallpaper (desktop/) ----
    void aSetWallpaperExecute();
    void lvTSLDblClick();
    void aCancelExecute();
    void aUpdatePositionExecute();
    void cbxPositionClick();
    void tmCenterClick();
    void tmTileClick();
    void tmStretchClick();
    void SetPositionCenter();
    void SetPositionTile();
    void SetPositionStretch();
    void ReadWallpaperPosition();
    void GetCurrentWallpaper(std::wstring& path);
    void GetConvertedWallpaper(std::wstring& path);
    void UpdatePositionCommand();
    void ApplyWallpaper(const std::wstring& path);
    // Writes the position's desktop values, re-applies the current wallpaper and re-reads.
    void ApplyPosition(int position);

    // ---- context-menu entries (menuentries/) ----
    void aReadRegValueExecute();
    void aWriteRegValueExecute();
    void WriteMenuEntries();
    void aAddToCMExecute();
    void btnAddCMItemClick();
    void edtHeaderKeyDown(WORD key);
    void aRemoveFromCMExecute();
    void btnBrowseClick();

    // ---- tray (app/Tray.cpp) ----
    void aHideExecute();
    void aShowExecute();
    void pabTrayPopupMenuPopup();
    void TrayWallpaperClick(const std::wstring& hint);
    void ShowTrayMenu(POINT at);
    // The tray icon with its menu pabTrayPopupMenu, created on first use.
    TrayIcon& Tray();
    // Carries out the tray menu item with command id `id`, as a choice in the open menu does.
    void RunTrayCommand(UINT id);
    // The hints (picture paths) of the wallpaper items, by command id - kTrayWallpaperFirstId.
    std::vector<std::wstring> trayWallpaperHints;
    static constexpr UINT kTrayCenterId = 0x7000, kTrayTileId = 0x7001, kTrayStretchId = 0x7002;
    static constexpr UINT kTrayWallpaperFirstId = 0x7100;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateActions();
    void CreateMenus();
    void WireControls();
    void WireDesktopPage();
    void WireConfigurationPage();
    void WireProfilesPage();
    void CreateLayout();
    void CreateDesktopPage(HWND page);
    void CreateConfigurationPage(HWND page);
    void CreateProfilesPage(HWND page);
    void CreateAboutPage(HWND page);
    void LayoutBars();
    void RunAction(int id);
    bool activated_ = false;
    bool closing_ = false;
};

// The one main window of the process.
extern TfrmORV* frmORV;

} // namespace orv
