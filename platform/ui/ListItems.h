#pragma once
// The items of a list box, kept in one text buffer: each item is an offset
// and a length into it, so that a list of a hundred thousand lines is one
// allocation, not one per line, and reordering the items moves eight bytes
// per item, not its text.
//
// A long list may instead hold no texts at all: its lines are made when they
// are asked for (drawn, searched, printed) by a LineSource, from what the
// source keeps of each line.
//
// An item reads as a ui::ItemText, a std::string_view into the buffer (or
// into the made line, kept with the items) that also converts to
// std::string; it stays valid until the items change.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/BigMemory.h"

namespace ui {

// The lines of a list made when asked for.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::size_t Count() const = 0;
    // Appends the text of line `i` (below Count()) to `out`.
    virtual void Write(std::size_t i, std::string& out) const = 0;
};

class ItemText : public std::string_view {
public:
    constexpr ItemText() = default;
    constexpr ItemText(std::string_view v) : std::string_view(v) {}
    operator std::string() const { return std::string(data(), size()); }
    // Prints the text quoted (for test failures).
    friend void PrintTo(const ItemText& t, std::ostream* os);
};

class ListItems {
public:
    // Where an item's text lies in the buffer.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = ItemText;
        using difference_type = std::ptrdiff_t;
        using reference = ItemText;
        using pointer = void;

        const_iterator() = default;
        const_iterator(const ListItems* items, std::size_t i) : items_(items), i_(i) {}
        ItemText operator*() const { return (*items_)[i_]; }
        ItemText operator[](difference_type n) const {
            return (*items_)[std::size_t(difference_type(i_) + n)];
        }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator t = *this;
            ++i_;
            return t;
        }
        const_iterator& operator--() {
            --i_;
            return *this;
        }
        const_iterator operator--(int) {
            const_iterator t = *this;
            --i_;
            return t;
        }
        const_iterator& operator+=(difference_type n) {
            i_ = std::size_t(difference_type(i_) + n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) {
            i_ = std::size_t(difference_type(i_) - n);
            return *this;
        }
        friend const_iterator operator+(const_iterator a, difference_type n) { return a += n; }
        friend const_iterator operator+(difference_type n, const_iterator a) { return a += n; }
        friend const_iterator operator-(const_iterator a, difference_type n) { return a -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return difference_type(a.i_) - difference_type(b.i_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.i_ <=> b.i_; }

    private:
        const ListItems* items_ = nullptr;
        std::size_t i_ = 0;
    };
    using iterator = const_iterator;
    using value_type = ItemText;
    using size_type = std::size_t;

    ListItems() = default;
    explicit ListItems(const std::vector<std::string>& texts);
    // Lines made by `source` when asked for. A change of the items (adding,
    // setting, removing, reordering) first makes and keeps every line.
    explicit ListItems(std::shared_ptr<const LineSource> source);
    ListItems(std::initializer_list<std::string_view> texts);
    ListItems(const ListItems& other);
    ListItems& operator=(const ListItems& other);
    // A moved-from list is empty and usable.
    ListItems(ListItems&& other) noexcept;
    ListItems& operator=(ListItems&& other) noexcept;
    ~ListItems();

    std::size_t size() const { return source_ ? count_ : spans_.size(); }
    bool empty() const { return size() == 0; }
    ItemText operator[](std::size_t i) const {
        if (source_) return Made(i);
        const Span s = spans_[i];
        return std::string_view(text_ + s.offset, s.length);
    }
    // The item, or std::out_of_range.
    ItemText at(std::size_t i) const;
    // The item's text for one look: a made line is written into `scratch`
    // (and not kept), a kept text is viewed where it is. Valid until the
    // next call with the same scratch or a change of the items.
    std::string_view Read(std::size_t i, std::string& scratch) const;
    // Whether the lines are made when asked for.
    bool OnDemand() const { return source_ != nullptr; }
    // Makes every line and keeps it: the items become kept texts (what a
    // change of the items does first).
    void Keep();
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void clear();
    // Room for `items` items of `bytes` bytes of text in all.
    void reserve(std::size_t items, std::size_t bytes);
    void push_back(std::string_view text);
    void insert(std::size_t at, std::string_view text); // std::out_of_range past the end
    void set(std::size_t i, std::string_view text);     // std::out_of_range past the end
    void erase(std::size_t i);                          // std::out_of_range past the end

    // Writing an item in place: Room(n) gives room for n bytes after the
    // text (valid until the next change); Add(length) makes the first
    // `length` of them the next item.
    char* Room(std::size_t n);
    void Add(std::size_t length);

    // Puts the items in the order given: item k becomes the item that was
    // at order[k]. `order` must be a permutation of 0 .. size()-1.
    void Reorder(std::span<const std::uint32_t> order);

    // Where the kept texts lie (none for lines made on demand).
    std::span<const Span> spans() const { return spans_; }
    const char* text() const { return text_; }

    std::vector<std::string> strings() const;
    operator std::vector<std::string>() const { return strings(); }

    friend bool operator==(const ListItems& a, const ListItems& b);
    friend bool operator==(const ListItems& a, const std::vector<std::string>& b);

private:
    // Makes sure `n` more bytes fit after the text.
    void Grow(std::size_t n);
    // Copies `text` into the room after the buffer's text (not yet an item).
    char* Copy(std::string_view text);
    // Rewrites the buffer with the items' texts alone, in their order,
    // when texts replaced or removed take more than the live ones.
    void CompactIfWasteful();
    // A made line, kept until the items change.
    ItemText Made(std::size_t i) const;
    void FreeText();

    // The texts: a buffer from rtl::AllocateBig (large lists take few page
    // faults).
    char* text_ = nullptr;
    std::size_t used_ = 0; // bytes of the buffer written
    std::size_t capacity_ = 0;
    std::size_t live_ = 0; // bytes of the items' texts
    rtl::BigVector<Span> spans_;
    // Lines made on demand: their source and count, and the lines made so
    // far (a node keeps its text where it is as the map grows).
    std::shared_ptr<const LineSource> source_;
    std::size_t count_ = 0;
    mutable std::unordered_map<std::size_t, std::string> made_;
};

} // namespace ui
