// The compact row store behind the list view: rows stay intact through erases, caption changes,
// compaction, and appends of texts that live in the store itself.
#include <gtest/gtest.h>

#include <cstdint>

#include "ListTestSupport.h"

namespace orv::test {
namespace {

std::wstring Path(int i) { return L"C:\\Pictures\\Holiday " + std::to_wstring(i) + L"\\picture" + std::to_wstring(i) + L".jpg"; }
Entry EntryNo(int i) { return {L"picture" + std::to_wstring(i) + L".jpg", {L"none", Path(i)}}; }

TEST(ListRows, HoldsCaptionsAndUpToTwoSubItems) {
    ListRows rows;
    rows.Append(L"a", {});
    rows.Append(L"b", {L"one"});
    rows.Append(L"c", {L"one", L"two"});
    rows.Append(L"d", {L"one", L"two", L"three"});
    rows.Append(L"", {L"", L""});
    Entries expected = {{L"a", {}}, {L"b", {L"one"}}, {L"c", {L"one", L"two"}}, {L"d", {L"one", L"two"}}, {L"", {L"", L""}}};
    EXPECT_EQ(Describe(EntriesOf(rows)), Describe(expected));
    EXPECT_EQ(rows.SubItem(0, 1), L"") << "a sub-item the row lacks reads as empty";
    EXPECT_EQ(rows.SubItem(1, 1), L"");
}

// A model list and the store take the same sequence of changes; after each, they must agree.
TEST(ListRows, AgreesWithAModelThroughEditsAndCompaction) {
    ListRows rows;
    Entries model;
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (int step = 0; step < 6000; ++step) {
        uint32_t op = next(10);
        if (model.empty() || op < 5) {
            Entry e = EntryNo(step);
            e.subItems.resize(next(3));
            std::vector<std::wstring_view> subs(e.subItems.begin(), e.subItems.end());
            rows.Append(e.caption, std::span<const std::wstring_view>(subs.data(), subs.size()));
            model.push_back(e);
        } else if (op < 8) {
            size_t i = next(static_cast<uint32_t>(model.size()));
            rows.Erase(i);
            model.erase(model.begin() + static_cast<ptrdiff_t>(i));
        } else {
            size_t i = next(static_cast<uint32_t>(model.size()));
            std::wstring caption = L"renamed " + std::to_wstring(step) + std::wstring(next(40), L'x');
            rows.SetCaption(i, caption);
            model[i].caption = caption;
        }
        if (step % 500 == 0 || step == 5999) {
            ASSERT_EQ(Describe(EntriesOf(rows)), Describe(model)) << "after step " << step;
        }
    }
}

TEST(ListRows, ErasingMostRowsCompactsAndKeepsTheRest) {
    ListRows rows;
    Entries model;
    for (int i = 0; i < 2000; ++i) {
        model.push_back(EntryNo(i));
        rows.Append(model.back().caption, {model.back().subItems[0], model.back().subItems[1]});
    }
    size_t before = rows.BytesHeld();
    for (int i = 1999; i >= 0; --i) {
        if (i % 10 == 3) continue;
        rows.Erase(static_cast<size_t>(i));
        model.erase(model.begin() + i);
    }
    EXPECT_EQ(Describe(EntriesOf(rows)), Describe(model));
    EXPECT_LT(rows.BytesHeld(), before / 2) << "erased texts are given back by compaction";
}

// Texts taken from the store itself (duplicating a row, renaming a row after another) must be
// copied before the store grows and moves its characters.
TEST(ListRows, AppendsTextsThatLiveInTheStoreItself) {
    ListRows rows;
    rows.Append(L"first.jpg", {L"none", L"C:\\first.jpg"});
    for (int i = 0; i < 300; ++i) rows.Append(rows.Caption(0), {rows.SubItem(0, 0), rows.SubItem(0, 1)});
    rows.SetCaption(5, rows.Caption(7));
    rows.SetCaption(6, rows.SubItem(6, 1));
    Entries expected(301, Entry{L"first.jpg", {L"none", L"C:\\first.jpg"}});
    expected[6].caption = L"C:\\first.jpg";
    EXPECT_EQ(Describe(EntriesOf(rows)), Describe(expected));
}

TEST(ListRows, ClearEmptiesAndGivesMemoryBack) {
    ListRows rows;
    for (int i = 0; i < 1000; ++i) rows.Append(Path(i), {L"none", Path(i)});
    size_t full = rows.BytesHeld();
    rows.Clear();
    EXPECT_EQ(rows.size(), 0u);
    EXPECT_LT(rows.BytesHeld(), full / 100);
    rows.Append(L"again", {L"none"});
    EXPECT_EQ(Describe(EntriesOf(rows)), Describe({{L"again", {L"none"}}}));
}

} // namespace
} // namespace orv::test
