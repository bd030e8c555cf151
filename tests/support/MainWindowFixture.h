#pragma once
// A real TfrmORV in a scratch program folder, with the human seam scripted and the product's
// registry branch cleared before and after each test.
#include <memory>

#include <gtest/gtest.h>

#include "app/MainUnit.h"
#include "support/ScriptedHuman.h"
#include "support/TestFiles.h"

namespace orv::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window, which runs the start-up sequence. Prepare files and registry first.
    TfrmORV& Open();
    // Destroys the window without the exit confirmation.
    void Discard();
    // Runs pending window messages (posted work such as the activation step).
    static void DrainMessages();

    // Sets the desktop settings; an empty text removes the value.
    static void SetDesktopValue(const wchar_t* name, const std::wstring& value);
    static std::wstring DesktopValue(const wchar_t* name);

    ScriptedHuman human;
    TempFolder folder;
    std::wstring programFolder;  // ends in "\"
    std::wstring desktopBitmap;  // a valid picture the desktop "Wallpaper" names at start
    std::unique_ptr<TfrmORV> window;
};

// Clears HKLM\Software\Kestovar and the Run value the program writes.
void ClearProductRegistry();

} // namespace orv::test
