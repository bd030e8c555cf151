#pragma once
// The simple controls: each holds its state and runs its handlers; the HWND follows.
#include <functional>
#include <string>
#include <vector>

#include "ui/Action.h"
#include "ui/Control.h"

namespace orv {

// A container: optional border, background colour, group frame with caption, click handler.
// Children's notifications are routed to their objects.
class Panel : public Control {
public:
    enum class Frame { None, Border, Group };
    void Create(HWND parent, int x, int y, int w, int h, Frame frame = Frame::None, COLORREF colour = CLR_INVALID,
                std::wstring caption = {});
    std::function<void()> onClick;
    // Replaces the background with a painter (the About picture).
    std::function<void(HDC, const RECT&)> painter;
    COLORREF colour() const { return colour_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    Frame frame_ = Frame::None;
    COLORREF colour_ = CLR_INVALID;
    HBRUSH brush_ = nullptr;
    std::wstring caption_;
};

class Button : public Control {
public:
    // An empty caption keeps the one the button has (from Bind).
    void Create(HWND parent, int x, int y, int w, int h, std::wstring caption);
    // Takes the action's enabled state and runs it when clicked. The caption is the action's
    // unless the button has its own.
    void Bind(Action& action, bool showHint = true);
    std::function<void()> onClick;
    std::wstring caption() const { return caption_; }
    void Click();
    std::optional<LRESULT> OnCommand(WORD code) override;

private:
    std::wstring caption_;
    Action* action_ = nullptr;
};

class CheckBox : public Control {
public:
    // The designed state, which the box holds until code or the user changes it.
    explicit CheckBox(bool checked = false) : checked_(checked) {}
    void Create(HWND parent, int x, int y, int w, int h, std::wstring caption);
    bool checked() const { return checked_; }
    // A change runs onClick exactly as a user's click does; setting the same state runs nothing.
    void SetChecked(bool checked);
    std::function<void()> onClick;
    std::optional<LRESULT> OnCommand(WORD code) override;
    std::optional<LRESULT> OnCtlColor(HDC dc) override;

private:
    bool checked_ = false;
};

class Edit : public Control {
public:
    void Create(HWND parent, int x, int y, int w, int h, int maxLength = 0, bool readOnly = false,
                COLORREF background = CLR_INVALID, HFONT font = nullptr);
    const std::wstring& text() const { return text_; }
    void SetText(const std::wstring& text);
    // Key pressed in the field (virtual key code).
    std::function<void(WORD key)> onKeyDown;
    std::optional<LRESULT> OnCommand(WORD code) override;
    std::optional<LRESULT> OnCtlColor(HDC dc) override;
    // Delivers a key press as the keyboard does (tests and the real subclass both come here).
    void KeyDown(WORD key);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    std::wstring text_;
    COLORREF background_ = CLR_INVALID;
    HBRUSH brush_ = nullptr;
    bool settingText_ = false;
};

class Label : public Control {
public:
    void Create(HWND parent, int x, int y, std::wstring caption, HFONT font = nullptr, int w = 0, int h = 0);
    const std::wstring& caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // Link style: hand cursor, colour, onClick.
    void MakeLink(COLORREF colour);
    void SetTextColour(COLORREF colour) { textColour_ = colour; }
    std::function<void()> onClick;
    std::optional<LRESULT> OnCommand(WORD code) override;
    std::optional<LRESULT> OnCtlColor(HDC dc) override;

private:
    std::wstring caption_;
    COLORREF textColour_ = CLR_INVALID;
};

// A drop-down list. onClick runs when the user picks an item, not when code sets the index.
class ComboBox : public Control {
public:
    void Create(HWND parent, int x, int y, int w, std::vector<std::wstring> items, COLORREF background = CLR_INVALID);
    int itemIndex() const { return index_; }
    void SetItemIndex(int index);
    const std::vector<std::wstring>& items() const { return items_; }
    std::function<void()> onClick;
    // Picks an item as the user does.
    void Pick(int index);
    std::optional<LRESULT> OnCommand(WORD code) override;
    std::optional<LRESULT> OnCtlColor(HDC dc) override;

private:
    std::vector<std::wstring> items_;
    int index_ = -1;
    HBRUSH brush_ = nullptr;
    COLORREF background_ = CLR_INVALID;
};

// Draws whatever its painter draws, stretched to the control; clicks run onClick.
class Image : public Control {
public:
    void Create(HWND parent, int x, int y, int w, int h);
    void SetPainter(std::function<void(HDC, const RECT&)> painter);
    bool HasPicture() const { return static_cast<bool>(painter_); }
    std::function<void()> onClick;
    std::function<void(UINT button)> onMouseUp;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::function<void(HDC, const RECT&)> painter_;
};

// A sunken line.
class Bevel : public Control {
public:
    void Create(HWND parent, int x, int y, int w);
};

} // namespace orv
