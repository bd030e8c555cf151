#include "platform/AppError.h"

namespace orv {

AppError::AppError(std::wstring text) : text_(std::move(text)) {
    narrow_.reserve(text_.size());
    for (wchar_t c : text_) narrow_.push_back(c < 128 ? static_cast<char>(c) : '?');
}

std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::wstring WithFullStop(std::wstring text) {
    if (!text.empty() && text.back() > L'.') text += L'.';
    return text;
}

} // namespace orv
