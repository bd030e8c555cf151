#pragma once
// Shared by the list command tests: pictures in a folder whose name has a blank (so the list file
// quotes their paths), rows named by letters ("ab" = a.bmp then b.bmp), and the expected bytes.
#include <string>
#include <string_view>

#include "support/MainWindowFixture.h"

namespace orv::test {

inline const std::wstring kSavePrompt =
    L"Confirmation: Current file has been modified. Do you want to save it?";

class ListWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pictures = folder.path() + L"Pictures 2007\\";
        MakeFolder(pictures);
        for (wchar_t letter : std::wstring(L"abc"))
            WriteBytes(Picture(letter), BitmapBytes(4, 3));
    }

    std::wstring Picture(wchar_t letter) const { return pictures + letter + L".bmp"; }

    // The rows as text, one "caption | comment | full path" line each.
    static std::string Describe(const ListRows& rows) {
        std::string out;
        for (size_t i = 0; i < rows.size(); ++i) {
            out += Narrow(std::wstring(rows.Caption(i)));
            for (size_t k = 0; k < rows.SubItemCount(i); ++k)
                out += " | " + Narrow(std::wstring(rows.SubItem(i, k)));
            out += "\n";
        }
        return out;
    }
    std::string RowsOf(std::wstring_view letters) const {
        std::string out;
        for (wchar_t letter : letters) {
            out += static_cast<char>(letter);
            out += ".bmp | none | ";
            out += Narrow(Picture(letter));
            out += "\n";
        }
        return out;
    }
    // What a list file of these rows holds, byte for byte: the path has a blank, so it is quoted.
    std::string FileOf(std::wstring_view letters) const {
        std::string out;
        for (wchar_t letter : letters) {
            out += '"';
            out += static_cast<char>(letter);
            out += ".bmp\",none,\"";
            out += Narrow(Picture(letter));
            out += "\"\r\n";
        }
        return out;
    }
    // Appends the entries as Add Item(s) would, without touching the flags.
    void Fill(TfrmORV& w, std::wstring_view letters) const {
        for (wchar_t letter : letters)
            w.lvTSL.Append(std::wstring(1, letter) + L".bmp", {L"none", Picture(letter)});
    }

    std::wstring pictures;
};

} // namespace orv::test
