#pragma once
// The real main window with pictures on disk, for the tests of the preview, the full view and
// the command state.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/MainWindowFixture.h"
#include "ui/Guard.h"

namespace orv::test {

class PreviewWindowTest : public MainWindowTest {
  protected:
    // A bitmap of that size in the scratch folder; its full path.
    std::wstring Bitmap(const std::wstring& name, int width, int height) {
        std::wstring path = folder.path() + name;
        WriteBytes(path, BitmapBytes(width, height));
        return path;
    }
    // A wallpaper list entry as the list commands make it: file name, "none", full path.
    static void AddRow(TfrmORV& w, const std::wstring& path) {
        w.lvTSL.Append(path.substr(path.find_last_of(L'\\') + 1), {L"none", path});
    }
    // Runs a handler as the message loop does: an error ends it and goes to the error box.
    static void AsUser(const std::function<void()>& work) { RunGuarded(work); }

    // Texts of the error boxes shown so far.
    std::vector<std::wstring> ErrorBoxes() const {
        std::vector<std::wstring> out;
        for (const Asked& a : human.asked)
            if (a.kind == L"Ask" && a.caption == L"Orvane" &&
                a.flags == static_cast<UINT>(MB_OK | MB_ICONERROR))
                out.push_back(a.text);
        return out;
    }

    // Set-up without the controls' handlers, so that a test builds the state it wants and then
    // refreshes once.
    static void SelectQuietly(ListView& list, int index) {
        auto handler = std::exchange(list.onSelectItem, nullptr);
        list.Select(index);
        list.onSelectItem = std::move(handler);
    }
    static void CheckQuietly(CheckBox& box, bool checked) {
        auto handler = std::exchange(box.onClick, nullptr);
        box.SetChecked(checked);
        box.onClick = std::move(handler);
    }
};

} // namespace orv::test
