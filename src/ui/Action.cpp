#include "ui/Action.h"

namespace orv {

std::wstring Shortcut::Text() const {
    if (!key) return {};
    std::wstring text;
    if (modifiers & FSHIFT) text += L"Shift+";
    if (modifiers & FCONTROL) text += L"Ctrl+";
    if (modifiers & FALT) text += L"Alt+";
    switch (key) {
    case VK_INSERT: return text + L"Ins";
    case VK_DELETE: return text + L"Del";
    default: break;
    }
    if (key >= VK_F1 && key <= VK_F24) return text + L"F" + std::to_wstring(key - VK_F1 + 1);
    return text + static_cast<wchar_t>(key);
}

void Action::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void Action::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed();
}

void Action::Changed() {
    for (auto& listener : listeners_) listener();
}

void Action::Execute() {
    if (!enabled_) return;
    if (autoCheck) SetChecked(!checked_);
    if (onExecute) onExecute();
}

Action& ActionList::Add(std::wstring name) {
    actions_.push_back(std::make_unique<Action>(kFirstId + static_cast<int>(actions_.size()), std::move(name)));
    return *actions_.back();
}

Action* ActionList::ById(int id) const {
    size_t index = static_cast<size_t>(id - kFirstId);
    return id >= kFirstId && index < actions_.size() ? actions_[index].get() : nullptr;
}

Action* ActionList::ByName(const std::wstring& name) const {
    for (auto& a : actions_)
        if (a->name() == name) return a.get();
    return nullptr;
}

HACCEL ActionList::BuildAccelerators() const {
    std::vector<ACCEL> table;
    for (auto& a : actions_)
        if (a->shortcut.key)
            table.push_back({static_cast<BYTE>(FVIRTKEY | a->shortcut.modifiers), a->shortcut.key,
                             static_cast<WORD>(a->id())});
    return table.empty() ? nullptr : CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

} // namespace orv
