#pragma once
// The one exception type of the main program: it carries the text the user sees. Platform
// failures throw it; the action dispatcher catches it and shows the error box.
#include <exception>
#include <string>

namespace orv {

class AppError : public std::exception {
public:
    explicit AppError(std::wstring text);
    const std::wstring& text() const noexcept { return text_; }
    const char* what() const noexcept override { return narrow_.c_str(); }

private:
    std::wstring text_;
    std::string narrow_;
};

// Replaces each "%s" of `pattern` with the next argument, in order.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// The text of the error box: a full stop is appended unless the text ends in a character whose
// code is not above the full stop's (so "...", "x." and "x!" are left alone; empty stays empty).
std::wstring WithFullStop(std::wstring text);

} // namespace orv
