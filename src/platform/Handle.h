#pragma once
// Owning wrappers for Win32 handles: non-copyable, movable, closed once.
#include <memory>
#include <utility>

#include <windows.h>

namespace orv {

struct DeleteObjectFn { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct DestroyMenuFn { void operator()(HMENU h) const { DestroyMenu(h); } };
struct DestroyIconFn { void operator()(HICON h) const { DestroyIcon(h); } };

// File handles use INVALID_HANDLE_VALUE; other kernel handles use null: both count as empty.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    void reset(HANDLE h = nullptr) {
        if (*this) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

class UniqueFind {
public:
    UniqueFind() = default;
    explicit UniqueFind(HANDLE h) : h_(h) {}
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;
    ~UniqueFind() { if (*this) FindClose(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_ = nullptr;
};

template <typename T>
using GdiObject = std::unique_ptr<std::remove_pointer_t<T>, DeleteObjectFn>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, DestroyMenuFn>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconFn>;

} // namespace orv
