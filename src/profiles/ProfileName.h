#pragma once
// TfrmProfileName: the modal dialog that asks for the name of a new profile. One instance,
// owned by the main window, created on first use and shown again for later commands.
#include <string>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace orv {

class TfrmORV;

class TfrmProfileName : public Form {
  public:
    explicit TfrmProfileName(TfrmORV& owner);

    Panel gbProfileName;
    Edit edtProfileName;
    Panel pnlButtons;
    Button btnSave, btnCancel;

    // Centres the dialog on the main window, runs FormShow and shows it modally through the
    // human seam. IDOK when a name was accepted (left in the main window's current profile
    // name), IDCANCEL otherwise.
    int ShowModal();

    void FormShow();
    void btnSaveClick();
    void btnCancelClick();
    void edtProfileNameKeyDown(WORD key);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // True when the current profile name is taken (the name-exists flag); says so in a box.
    bool CheckNameExists();
    void ResetNameField();
    void AcceptName();
    void CentreOnOwner();

    TfrmORV& owner_;
};

// The dialog's refusal box: caption "Error", error icon and one button, labelled Cancel.
void ShowNameRefusal(HWND owner, const std::wstring& text);

} // namespace orv
