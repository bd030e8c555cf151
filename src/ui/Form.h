#pragma once
// A top-level window of ours: the main window, the profile name dialog, the full view.
#include <string>

#include <windows.h>

namespace orv {

class Form {
public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND hwnd() const { return hwnd_; }
    int modalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Shows the form modally through the human seam and returns its modal result.
    int ShowModal();
    // The real modal loop: owner disabled, messages pumped until a modal result is set.
    int RunModalLoop();
    bool IsModal() const { return inModalLoop_; }
    void SetClientSize(int width, int height);

protected:
    // The small icon (caption, task bar) is the large one unless given apart.
    void CreateForm(HWND owner, const std::wstring& caption, DWORD style, DWORD exStyle, int clientWidth,
                    int clientHeight, HMENU menu = nullptr, HICON icon = nullptr, HICON smallIcon = nullptr);
    // Messages not handled here go to DefWindowProc after children's notifications are reflected.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when the window is asked to close while modal (close box): a Cancel result.
    virtual void OnModalClose() { modalResult_ = IDCANCEL; }

    HWND hwnd_ = nullptr;
    int modalResult_ = 0;
    bool inModalLoop_ = false;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Pumps one message through the accelerators and dialog navigation of the active form.
bool PumpMessage(MSG& msg, bool wait);
void SetAcceleratorTarget(HWND window, HACCEL table);

} // namespace orv
