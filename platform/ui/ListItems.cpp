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

ListItems::ListItems(std::shared_ptr<const LineSource> source) {
    if (source && source->Count() > 0) {
        count_ = source->Count();
        source_ = std::move(source);
    }
}

ListItems::ListItems(std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts)
        push_back(t);
}

ListItems::ListItems(const ListItems& other) {
    if (other.source_) {
        source_ = other.source_;
        count_ = other.count_;
        return;
    }
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
    FreeText();
    text_ = std::exchange(other.text_, nullptr);
    spans_ = std::move(other.spans_);
    used_ = std::exchange(other.used_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    live_ = std::exchange(other.live_, 0);
    other.spans_.clear();
    source_ = std::move(other.source_);
    count_ = std::exchange(other.count_, 0);
    made_ = std::move(other.made_);
    other.source_.reset();
    other.made_.clear();
    return *this;
}

ListItems::~ListItems() {
    FreeText();
}

void ListItems::FreeText() {
    rtl::FreeBig(text_, capacity_);
    text_ = nullptr;
    capacity_ = 0;
}

ItemText ListItems::at(std::size_t i) const {
    if (i >= size()) throw std::out_of_range("ListItems::at");
    return (*this)[i];
}

ItemText ListItems::Made(std::size_t i) const {
    if (const auto it = made_.find(i); it != made_.end()) return std::string_view(it->second);
    std::string line;
    source_->Write(i, line);
    return std::string_view(made_.emplace(i, std::move(line)).first->second);
}

std::string_view ListItems::Read(std::size_t i, std::string& scratch) const {
    if (!source_) return (*this)[i];
    scratch.clear();
    source_->Write(i, scratch);
    return scratch;
}

void ListItems::Keep() {
    if (!source_) return;
    const std::shared_ptr<const LineSource> source = std::move(source_);
    const std::size_t count = std::exchange(count_, 0);
    source_.reset();
    made_.clear();
    spans_.clear();
    used_ = 0;
    live_ = 0;
    spans_.reserve(count);
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        line.clear();
        source->Write(i, line);
        push_back(line);
    }
}

void ListItems::clear() {
    source_.reset();
    count_ = 0;
    made_.clear();
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
    char* bigger = static_cast<char*>(rtl::AllocateBig(want));
    if (used_) std::memcpy(bigger, text_, used_);
    FreeText();
    text_ = bigger;
    capacity_ = want;
}

void ListItems::reserve(std::size_t items, std::size_t bytes) {
    Keep();
    spans_.reserve(items);
    Grow(bytes);
}

char* ListItems::Room(std::size_t n) {
    Keep();
    Grow(n);
    return text_ + used_;
}

void ListItems::Add(std::size_t length) {
    Keep();
    if (length > capacity_ - used_) throw std::length_error("ListItems::Add past the room");
    spans_.push_back({std::uint32_t(used_), std::uint32_t(length)});
    used_ += length;
    live_ += length;
}

char* ListItems::Copy(std::string_view text) {
    // The text may be one of the items: where it lies is kept across a
    // growth of the buffer.
    const char* base = text_;
    const bool own = !text.empty() && base && text.data() >= base && text.data() < base + used_;
    const std::size_t from = own ? std::size_t(text.data() - base) : 0;
    char* room = Room(text.size());
    if (!text.empty()) std::memcpy(room, own ? text_ + from : text.data(), text.size());
    return room;
}

void ListItems::push_back(std::string_view text) {
    if (source_) {
        // The text may be one of the made lines, which go with the change.
        const std::string own(text);
        Keep();
        push_back(own);
        return;
    }
    Copy(text);
    Add(text.size());
}

void ListItems::insert(std::size_t at, std::string_view text) {
    if (at > size()) throw std::out_of_range("ListItems::insert");
    push_back(text);
    std::rotate(spans_.begin() + std::ptrdiff_t(at), spans_.end() - 1, spans_.end());
}

void ListItems::set(std::size_t i, std::string_view text) {
    if (i >= size()) throw std::out_of_range("ListItems::set");
    if (source_) {
        const std::string own(text);
        Keep();
        set(i, own);
        return;
    }
    // The new text goes after the others; the old one is left behind.
    Copy(text);
    live_ -= spans_[i].length;
    live_ += text.size();
    spans_[i] = {std::uint32_t(used_), std::uint32_t(text.size())};
    used_ += text.size();
    CompactIfWasteful();
}

void ListItems::erase(std::size_t i) {
    if (i >= size()) throw std::out_of_range("ListItems::erase");
    Keep();
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
    if (order.size() != size()) throw std::invalid_argument("ListItems::Reorder");
    Keep();
    rtl::BigVector<Span> reordered(spans_.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        reordered[k] = spans_.at(order[k]);
    spans_ = std::move(reordered);
}

std::vector<std::string> ListItems::strings() const {
    std::vector<std::string> out;
    out.reserve(size());
    std::string scratch;
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back(Read(i, scratch));
    return out;
}

bool operator==(const ListItems& a, const ListItems& b) {
    if (a.size() != b.size()) return false;
    std::string sa, sb;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a.Read(i, sa) != b.Read(i, sb)) return false;
    return true;
}

bool operator==(const ListItems& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return false;
    std::string scratch;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a.Read(i, scratch) != b[i]) return false;
    return true;
}

} // namespace ui
