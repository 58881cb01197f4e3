#include "platform/rtl/RecordFile.h"

#include "platform/rtl/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rtl {

namespace {
constexpr std::size_t kBlockBytes = 1 << 20;
}

RecordFile::RecordFile(std::string path, std::size_t recordSize) : path_(std::move(path)), size_(recordSize) {
    if (size_ == 0) throw std::invalid_argument("record size 0");
    for (;;) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
        if (fd_ >= 0 || errno != ENOENT) break;
        // Only a file that does not exist is created; O_EXCL makes sure that
        // one created meanwhile by someone else is opened, not replaced.
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) throw FileError("Impossibile aprire l'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
}

RecordFile::~RecordFile() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordFile::Check(std::size_t length) const {
    if (fd_ < 0) throw FileError("L'archivio \"" + path_ + "\" è già chiuso", path_);
    if (length != size_) throw std::invalid_argument("record of the wrong size for " + path_);
}

std::int64_t RecordFile::Count() const {
    if (fd_ < 0) throw FileError("L'archivio \"" + path_ + "\" è già chiuso", path_);
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throw FileError("Impossibile leggere la dimensione dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
    return static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(size_);
}

void RecordFile::Seek(std::int64_t index) {
    if (index < 0 || index > Count())
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"", path_);
    pos_ = index;
}

void RecordFile::ReadAt(std::int64_t index, std::span<std::uint8_t> record) {
    if (index < 0)
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"", path_);
    pos_ = index;
    Read(record);
}

void RecordFile::Read(std::span<std::uint8_t> record) {
    Check(record.size());
    const std::size_t n = ReadFully(fd_, reinterpret_cast<char*>(record.data()), size_,
                                    pos_ * static_cast<std::int64_t>(size_), path_);
    if (n != size_)
        throw FileError("Lettura oltre la fine dell'archivio \"" + path_ + "\" (record " + std::to_string(pos_ + 1) + ")",
                        path_);
    ++pos_;
}

void RecordFile::Write(std::span<const std::uint8_t> record) {
    Check(record.size());
    written_ = true;
    WriteAll(fd_, reinterpret_cast<const char*>(record.data()), size_, pos_ * static_cast<std::int64_t>(size_), path_);
    ++pos_;
}

std::int64_t RecordFile::Append(std::span<const std::uint8_t> record) {
    Check(record.size());
    pos_ = Count();
    Write(record);
    return pos_;
}

void RecordFile::ForEach(const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& each) {
    if (fd_ < 0) throw FileError("L'archivio \"" + path_ + "\" è già chiuso", path_);
    const std::int64_t count = Count();
    const std::int64_t perBlock = std::max<std::int64_t>(1, static_cast<std::int64_t>(kBlockBytes / size_));
    std::vector<std::uint8_t> block(static_cast<std::size_t>(perBlock) * size_);
    for (std::int64_t first = 0; first < count; first += perBlock) {
        const std::int64_t records = std::min(perBlock, count - first);
        const std::size_t bytes = static_cast<std::size_t>(records) * size_;
        const std::size_t n = ReadFully(fd_, reinterpret_cast<char*>(block.data()), bytes,
                                        first * static_cast<std::int64_t>(size_), path_);
        if (n != bytes)
            throw FileError("Lettura oltre la fine dell'archivio \"" + path_ + "\"", path_);
        for (std::int64_t i = 0; i < records; ++i) {
            pos_ = first + i + 1;
            each(pos_, std::span<const std::uint8_t>(block.data() + static_cast<std::size_t>(i) * size_, size_));
        }
    }
    pos_ = count;
}

void RecordFile::Close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    if (written_ && ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        throw FileError("Errore di scrittura dell'archivio \"" + path_ + "\": " + ErrnoText(err), path_);
    }
    if (::close(fd) != 0)
        throw FileError("Errore di chiusura dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
}

} // namespace rtl
