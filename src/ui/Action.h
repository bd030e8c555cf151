#pragma once
// A command of the window: caption, category, hint, shortcut, picture, enabled and checked
// state, and what it does. Menu items, tool buttons and buttons bound to it follow its state.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace orv {

struct Shortcut {
    WORD key = 0;        // virtual key; 0 for none
    BYTE modifiers = 0;  // FCONTROL | FSHIFT | FALT
    std::wstring Text() const;  // "Ctrl+N", "Shift+Ctrl+F11", "Ins"
};

class Action {
public:
    Action(int id, std::wstring name) : id_(id), name_(std::move(name)) {}
    int id() const { return id_; }
    const std::wstring& name() const { return name_; }

    std::wstring caption, category, hint;
    Shortcut shortcut;
    int imageIndex = -1;   // into the tool bar's image list; -1 for none
    bool autoCheck = false;
    std::function<void()> onExecute;

    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool checked() const { return checked_; }
    void SetChecked(bool checked);
    // Runs the command, as a menu item, a tool button or a shortcut does; a disabled action
    // runs nothing. Errors propagate to the caller (the dispatcher shows them).
    void Execute();
    // Runs `listener` whenever enabled or checked changes.
    void Subscribe(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

private:
    void Changed();
    int id_;
    std::wstring name_;
    bool enabled_ = true;
    bool checked_ = false;
    std::vector<std::function<void()>> listeners_;
};

class ActionList {
public:
    static constexpr int kFirstId = 1000;
    Action& Add(std::wstring name);
    Action* ById(int id) const;
    Action* ByName(const std::wstring& name) const;
    const std::vector<std::unique_ptr<Action>>& all() const { return actions_; }
    // One accelerator table for every action with a shortcut.
    HACCEL BuildAccelerators() const;

private:
    std::vector<std::unique_ptr<Action>> actions_;
};

} // namespace orv
