#pragma once
// The items of a list box, kept in one text buffer: each item is an offset
// and a length into it, so that a list of a hundred thousand lines is one
// allocation, not one per line, and reordering the items moves eight bytes
// per item, not its text.
//
// An item reads as a ui::ItemText, a std::string_view into the buffer that
// also converts to std::string; it stays valid until the items change.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

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
    ListItems(std::initializer_list<std::string_view> texts);
    ListItems(const ListItems& other);
    ListItems& operator=(const ListItems& other);
    // A moved-from list is empty and usable.
    ListItems(ListItems&& other) noexcept;
    ListItems& operator=(ListItems&& other) noexcept;

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    ItemText operator[](std::size_t i) const {
        const Span s = spans_[i];
        return std::string_view(text_.get() + s.offset, s.length);
    }
    // The item, or std::out_of_range.
    ItemText at(std::size_t i) const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, spans_.size()}; }

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

    std::span<const Span> spans() const { return spans_; }
    const char* text() const { return text_.get(); }

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

    std::unique_ptr<char[]> text_;
    std::size_t used_ = 0; // bytes of the buffer written
    std::size_t capacity_ = 0;
    std::size_t live_ = 0; // bytes of the items' texts
    std::vector<Span> spans_;
};

} // namespace ui
