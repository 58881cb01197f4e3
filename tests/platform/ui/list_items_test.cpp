// The one-buffer item store of list boxes: item texts stay right through
// every change, however the buffer grows, reorders or leaves texts behind.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/ListItems.h"

namespace {

std::vector<std::string> Texts(const ui::ListItems& items) {
    std::vector<std::string> out;
    for (std::string_view t : items)
        out.emplace_back(t);
    return out;
}

TEST(ListItems, ChangesKeepEveryOtherItem) {
    ui::ListItems items{"Uno", "Due", ""};
    items.insert(0, "Zero");
    items.insert(4, "Quattro");
    items.set(1, "UNO, più lungo di prima");
    items.erase(2);
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"Zero", "UNO, più lungo di prima", "", "Quattro"}));
    EXPECT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2], "");

    // Out of range: nothing changes.
    EXPECT_THROW(items.insert(5, "x"), std::out_of_range);
    EXPECT_THROW(items.set(4, "x"), std::out_of_range);
    EXPECT_THROW(items.erase(4), std::out_of_range);
    EXPECT_THROW((void)items.at(4), std::out_of_range);
    EXPECT_EQ(items.size(), 4u);

    items.clear();
    EXPECT_TRUE(items.empty());
    items.push_back("Di nuovo");
    EXPECT_EQ(Texts(items), std::vector<std::string>{"Di nuovo"});
}

TEST(ListItems, AnItemCopiedFromItselfSurvivesTheBufferGrowing) {
    ui::ListItems items;
    items.push_back(std::string(200, 'a') + "fine");
    for (int i = 0; i < 12; ++i)
        items.push_back(items[std::size_t(i)]); // each push may move the buffer
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i], std::string(200, 'a') + "fine") << i;
    items.set(3, items[5]);
    items.insert(0, items[12]);
    EXPECT_EQ(items[0], std::string(200, 'a') + "fine");
    EXPECT_EQ(items[4], std::string(200, 'a') + "fine");
}

TEST(ListItems, ReplacedTextsAreDroppedWithoutChangingTheItems) {
    // Many replacements leave old texts behind until the buffer is rewritten.
    ui::ListItems items;
    for (int i = 0; i < 100; ++i)
        items.push_back("riga " + std::to_string(i));
    for (int round = 0; round < 200; ++round)
        for (int i = 0; i < 100; ++i)
            items.set(std::size_t(i), std::string(40, char('a' + round % 26)) + std::to_string(i));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(items[std::size_t(i)], std::string(40, 'a' + 199 % 26) + std::to_string(i));
    for (int i = 99; i >= 0; i -= 2)
        items.erase(std::size_t(i));
    ASSERT_EQ(items.size(), 50u);
    EXPECT_EQ(items[49], std::string(40, 'a' + 199 % 26) + "98");
}

TEST(ListItems, ReorderMovesItemsNotTexts) {
    ui::ListItems items{"c", "a", "b"};
    const std::vector<std::uint32_t> order{1, 2, 0};
    items.Reorder(order);
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"a", "b", "c"}));
    items.insert(1, "a2");
    items.set(3, "c2");
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"a", "a2", "b", "c2"}));
    EXPECT_THROW(items.Reorder(std::vector<std::uint32_t>{0}), std::invalid_argument);
    EXPECT_THROW(items.Reorder(std::vector<std::uint32_t>{0, 1, 2, 9}), std::out_of_range);
}

TEST(ListItems, ItemsWrittenInPlace) {
    ui::ListItems items;
    for (int i = 0; i < 1000; ++i) {
        const std::string text = "riga " + std::to_string(i);
        char* room = items.Room(64);
        text.copy(room, text.size());
        items.Add(text.size());
    }
    EXPECT_EQ(items[0], "riga 0");
    EXPECT_EQ(items[999], "riga 999");
    (void)items.Room(8);
    EXPECT_THROW(items.Add(std::size_t(1) << 40), std::length_error);
    EXPECT_EQ(items.size(), 1000u);
}

TEST(ListItems, AMovedFromListIsEmptyAndTakesNewItems) {
    ui::ListItems a{"uno", "due"};
    ui::ListItems b = std::move(a);
    EXPECT_TRUE(a.empty()); // NOLINT(bugprone-use-after-move): the state after a move is defined
    a.push_back("tre");
    EXPECT_EQ(Texts(a), std::vector<std::string>{"tre"});
    ui::ListItems c;
    c = std::move(b);
    b.push_back("quattro");
    EXPECT_EQ(Texts(b), std::vector<std::string>{"quattro"});
    EXPECT_EQ(Texts(c), (std::vector<std::string>{"uno", "due"}));
}

TEST(ListItems, CopiesAndComparisons) {
    const ui::ListItems a{"x", "yy"};
    ui::ListItems b = a;
    b.set(0, "z");
    EXPECT_EQ(a, (std::vector<std::string>{"x", "yy"}));
    EXPECT_EQ(b, (std::vector<std::string>{"z", "yy"}));
    EXPECT_FALSE(a == b);
    const std::vector<std::string> strings = a;
    EXPECT_EQ(strings, a);
    const std::string first = a[0];
    EXPECT_EQ(first, "x");
}

// Lines made when asked for: "riga <i>", counted as they are made.
class Righe : public ui::LineSource {
public:
    explicit Righe(std::size_t n) : n_(n) {}
    std::size_t Count() const override { return n_; }
    void Write(std::size_t i, std::string& out) const override {
        ++made;
        out += "riga " + std::to_string(i);
    }
    mutable int made = 0;

private:
    std::size_t n_;
};

TEST(ListItems, LinesMadeOnDemandReadAsKeptOnes) {
    auto source = std::make_shared<Righe>(1000);
    ui::ListItems items(source);
    EXPECT_TRUE(items.OnDemand());
    EXPECT_EQ(items.size(), 1000u);
    EXPECT_EQ(source->made, 0); // nothing made until asked for
    // A line asked for stays valid while others are made, and is made once.
    const ui::ItemText first = items[0];
    const ui::ItemText last = items.at(999);
    for (std::size_t i = 1; i < 300; ++i)
        EXPECT_EQ(items[i], "riga " + std::to_string(i));
    EXPECT_EQ(first, "riga 0");
    EXPECT_EQ(last, "riga 999");
    EXPECT_EQ(items[0].data(), first.data());
    EXPECT_EQ(source->made, 301);
    EXPECT_THROW((void)items.at(1000), std::out_of_range);
    // A one-look read makes the line again and keeps nothing.
    std::string scratch;
    EXPECT_EQ(items.Read(500, scratch), "riga 500");
    EXPECT_EQ(items.Read(501, scratch), "riga 501");
    EXPECT_EQ(source->made, 303);

    // Copies read the same lines; comparisons see the texts.
    const ui::ListItems copy = items;
    EXPECT_TRUE(copy.OnDemand());
    EXPECT_EQ(copy, items);
    std::vector<std::string> expected;
    for (int i = 0; i < 1000; ++i)
        expected.push_back("riga " + std::to_string(i));
    EXPECT_EQ(copy, expected);
    EXPECT_EQ(Texts(copy), expected);
    EXPECT_EQ(ui::ListItems(std::make_shared<Righe>(0)).size(), 0u);
}

TEST(ListItems, AChangeKeepsEveryMadeLineFirst) {
    // Each change on a list of made lines: the lines are kept as texts, the
    // change applies to them, the source is asked no more.
    struct Case {
        const char* name;
        void (*change)(ui::ListItems&);
        std::vector<std::string> expected;
    } cases[] = {
        {"push_back", [](ui::ListItems& l) { l.push_back(l[1]); }, {"riga 0", "riga 1", "riga 2", "riga 1"}},
        {"insert", [](ui::ListItems& l) { l.insert(0, l[2]); }, {"riga 2", "riga 0", "riga 1", "riga 2"}},
        {"set", [](ui::ListItems& l) { l.set(2, l[0]); }, {"riga 0", "riga 1", "riga 0"}},
        {"erase", [](ui::ListItems& l) { l.erase(1); }, {"riga 0", "riga 2"}},
        {"Reorder",
         [](ui::ListItems& l) {
             l.Reorder(std::vector<std::uint32_t>{2, 0, 1});
         },
         {"riga 2", "riga 0", "riga 1"}},
        {"Keep", [](ui::ListItems& l) { l.Keep(); }, {"riga 0", "riga 1", "riga 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto source = std::make_shared<Righe>(3);
        ui::ListItems items(source);
        c.change(items);
        EXPECT_FALSE(items.OnDemand());
        const int made = source->made;
        EXPECT_EQ(Texts(items), c.expected);
        EXPECT_EQ(source->made, made);
    }
    ui::ListItems items(std::make_shared<Righe>(3));
    items.clear();
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(items.OnDemand());
}

} // namespace
