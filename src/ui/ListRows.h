#pragma once
// The rows of a list view: a caption and up to two sub-items each, kept compactly in one
// character arena so that 100,000 rows cost little memory. Plain C++ without Windows headers.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class ListRows {
public:
    static constexpr size_t kMaxSubItems = 2;

    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // The texts may be views into this store (Caption or SubItem of a row).
    void Append(std::wstring_view caption, std::span<const std::wstring_view> subItems);
    void Append(std::wstring_view caption, std::initializer_list<std::wstring_view> subItems) {
        Append(caption, std::span<const std::wstring_view>(subItems.begin(), subItems.size()));
    }
    void Erase(size_t index);
    void Clear();
    void SetCaption(size_t index, std::wstring_view caption);
    // Reserves room for `rows` more rows holding `chars` characters in all.
    void Reserve(size_t rows, size_t chars);

    std::wstring_view Caption(size_t index) const;
    size_t SubItemCount(size_t index) const { return rows_[index].count; }
    // Sub-item `k` (0-based); empty when the row has fewer sub-items.
    std::wstring_view SubItem(size_t index, size_t k) const;

    // Bytes held, for the memory budget.
    size_t BytesHeld() const { return rows_.capacity() * sizeof(Row) + (arena_.capacity() + 1) * sizeof(wchar_t); }

private:
    struct Row {
        uint32_t start;
        uint32_t length[1 + kMaxSubItems];
        uint32_t count;
    };
    uint32_t Store(std::wstring_view text);
    void CompactIfWasteful();

    std::vector<Row> rows_;
    // A string rather than a vector: its append copes with text taken from the arena itself
    // (duplicating a row), even when the arena has to grow and move.
    std::wstring arena_;
    size_t garbage_ = 0;
};

} // namespace orv
