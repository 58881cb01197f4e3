#include "platform/ui/ListItems.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace ui {

void PrintTo(const ItemText& t, std::ostream* os) {
    *os << '"' << std::string_view(t) << '"';
}

ListItems::ListItems(const std::vector<std::string>& texts) {
    std::size_t bytes = 0;
    for (const std::string& t : texts)
        bytes += t.size();
    reserve(texts.size(), bytes);
    for (const std::string& t : texts)
        push_back(t);
}

ListItems::ListItems(std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts)
        push_back(t);
}

ListItems::ListItems(const ListItems& other) {
    reserve(other.size(), other.live_);
    for (std::size_t i = 0; i < other.size(); ++i)
        push_back(other[i]);
}

ListItems& ListItems::operator=(const ListItems& other) {
    if (this != &other) *this = ListItems(other);
    return *this;
}

ListItems::ListItems(ListItems&& other) noexcept {
    *this = std::move(other);
}

ListItems& ListItems::operator=(ListItems&& other) noexcept {
    if (this == &other) return *this;
    text_ = std::move(other.text_);
    spans_ = std::move(other.spans_);
    used_ = std::exchange(other.used_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    live_ = std::exchange(other.live_, 0);
    other.spans_.clear();
    return *this;
}

ItemText ListItems::at(std::size_t i) const {
    if (i >= spans_.size()) throw std::out_of_range("ListItems::at");
    return (*this)[i];
}

void ListItems::clear() {
    spans_.clear();
    used_ = 0;
    live_ = 0;
}

void ListItems::Grow(std::size_t n) {
    if (capacity_ - used_ >= n) return;
    // Offsets are 32-bit: a list's text stays below 4 GiB.
    constexpr std::size_t kMax = std::numeric_limits<std::uint32_t>::max();
    if (n > kMax - used_) throw std::length_error("ListItems: text too long");
    const std::size_t want = std::min(kMax, std::max(used_ + n, 2 * capacity_ + 256));
    auto bigger = std::make_unique_for_overwrite<char[]>(want);
    if (used_) std::memcpy(bigger.get(), text_.get(), used_);
    text_ = std::move(bigger);
    capacity_ = want;
}

void ListItems::reserve(std::size_t items, std::size_t bytes) {
    spans_.reserve(items);
    Grow(bytes);
}

char* ListItems::Room(std::size_t n) {
    Grow(n);
    return text_.get() + used_;
}

void ListItems::Add(std::size_t length) {
    if (length > capacity_ - used_) throw std::length_error("ListItems::Add past the room");
    spans_.push_back({std::uint32_t(used_), std::uint32_t(length)});
    used_ += length;
    live_ += length;
}

char* ListItems::Copy(std::string_view text) {
    // The text may be one of the items: where it lies is kept across a
    // growth of the buffer.
    const char* base = text_.get();
    const bool own = !text.empty() && text.data() >= base && text.data() < base + used_;
    const std::size_t from = own ? std::size_t(text.data() - base) : 0;
    char* room = Room(text.size());
    if (!text.empty()) std::memcpy(room, own ? text_.get() + from : text.data(), text.size());
    return room;
}

void ListItems::push_back(std::string_view text) {
    Copy(text);
    Add(text.size());
}

void ListItems::insert(std::size_t at, std::string_view text) {
    if (at > spans_.size()) throw std::out_of_range("ListItems::insert");
    push_back(text);
    std::rotate(spans_.begin() + std::ptrdiff_t(at), spans_.end() - 1, spans_.end());
}

void ListItems::set(std::size_t i, std::string_view text) {
    if (i >= spans_.size()) throw std::out_of_range("ListItems::set");
    // The new text goes after the others; the old one is left behind.
    Copy(text);
    live_ -= spans_[i].length;
    live_ += text.size();
    spans_[i] = {std::uint32_t(used_), std::uint32_t(text.size())};
    used_ += text.size();
    CompactIfWasteful();
}

void ListItems::erase(std::size_t i) {
    if (i >= spans_.size()) throw std::out_of_range("ListItems::erase");
    live_ -= spans_[i].length;
    spans_.erase(spans_.begin() + std::ptrdiff_t(i));
    if (spans_.empty())
        clear();
    else
        CompactIfWasteful();
}

void ListItems::CompactIfWasteful() {
    const std::size_t waste = used_ - live_;
    if (waste < 65536 || waste < live_) return;
    ListItems compact(*this);
    *this = std::move(compact);
}

void ListItems::Reorder(std::span<const std::uint32_t> order) {
    if (order.size() != spans_.size()) throw std::invalid_argument("ListItems::Reorder");
    std::vector<Span> reordered(spans_.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        reordered[k] = spans_.at(order[k]);
    spans_ = std::move(reordered);
}

std::vector<std::string> ListItems::strings() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back((*this)[i]);
    return out;
}

bool operator==(const ListItems& a, const ListItems& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::string_view(a[i]) != std::string_view(b[i])) return false;
    return true;
}

bool operator==(const ListItems& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::string_view(a[i]) != b[i]) return false;
    return true;
}

} // namespace ui
