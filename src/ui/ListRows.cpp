#include "ui/ListRows.h"

#include <algorithm>
#include <stdexcept>

namespace orv {

uint32_t ListRows::Store(std::wstring_view text) {
    arena_.append(text.data(), text.size());
    return static_cast<uint32_t>(text.size());
}

void ListRows::Append(std::wstring_view caption, std::span<const std::wstring_view> subItems) {
    size_t count = std::min(subItems.size(), kMaxSubItems);
    size_t total = caption.size();
    for (size_t k = 0; k < count; ++k) total += subItems[k].size();
    if (total > UINT32_MAX - arena_.size()) throw std::length_error("list too large");

    // The texts may be views into the arena: when it must grow, fill a bigger copy while the old
    // one still holds them.
    std::wstring grown;
    std::wstring* target = &arena_;
    if (arena_.capacity() - arena_.size() < total) {
        grown.reserve(std::max(arena_.capacity() * 2, arena_.size() + total));
        grown.append(arena_);
        target = &grown;
    }
    Row row{};
    row.start = static_cast<uint32_t>(target->size());
    row.count = static_cast<uint32_t>(count);
    target->append(caption);
    row.length[0] = static_cast<uint32_t>(caption.size());
    for (size_t k = 0; k < count; ++k) {
        target->append(subItems[k]);
        row.length[k + 1] = static_cast<uint32_t>(subItems[k].size());
    }
    if (target == &grown) arena_.swap(grown);
    rows_.push_back(row);
}

void ListRows::Erase(size_t index) {
    const Row& row = rows_.at(index);
    for (uint32_t k = 0; k <= row.count; ++k) garbage_ += row.length[k];
    rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(index));
    CompactIfWasteful();
}

void ListRows::Clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    arena_.clear();
    arena_.shrink_to_fit();
    garbage_ = 0;
}

void ListRows::SetCaption(size_t index, std::wstring_view caption) {
    // Rebuild the row at the arena's end: its texts must stay contiguous.
    Row& row = rows_.at(index);
    std::wstring subs[kMaxSubItems];
    std::wstring_view views[kMaxSubItems];
    for (uint32_t k = 0; k < row.count; ++k) views[k] = subs[k] = std::wstring(SubItem(index, k));
    for (uint32_t k = 0; k <= row.count; ++k) garbage_ += row.length[k];
    row.start = static_cast<uint32_t>(arena_.size());
    row.length[0] = Store(caption);
    for (uint32_t k = 0; k < row.count; ++k) row.length[k + 1] = Store(views[k]);
    CompactIfWasteful();
}

void ListRows::Reserve(size_t rows, size_t chars) {
    rows_.reserve(rows_.size() + rows);
    arena_.reserve(arena_.size() + chars);
}

std::wstring_view ListRows::Caption(size_t index) const {
    const Row& row = rows_[index];
    return {arena_.data() + row.start, row.length[0]};
}

std::wstring_view ListRows::SubItem(size_t index, size_t k) const {
    const Row& row = rows_[index];
    if (k >= row.count) return {};
    size_t offset = row.start;
    for (size_t i = 0; i <= k; ++i) offset += row.length[i];
    return {arena_.data() + offset, row.length[k + 1]};
}

void ListRows::CompactIfWasteful() {
    if (garbage_ < 4096 || garbage_ * 2 < arena_.size()) return;
    std::wstring packed;
    packed.reserve(arena_.size() - garbage_);
    for (Row& row : rows_) {
        size_t total = 0;
        for (uint32_t k = 0; k <= row.count; ++k) total += row.length[k];
        uint32_t start = static_cast<uint32_t>(packed.size());
        packed.append(arena_, row.start, total);
        row.start = start;
    }
    arena_.swap(packed);
    garbage_ = 0;
}

} // namespace orv
