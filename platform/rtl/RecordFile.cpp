#include "platform/rtl/RecordFile.h"

#include "platform/rtl/BigMemory.h"
#include "platform/rtl/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rtl {

namespace {
constexpr std::size_t kBlockBytes = std::size_t(256) << 10;

// The archives this process created and has not yet seen written: a window
// that creates its file to read it (the planner's year, a new year's
// archive) and whose first save then fails removes it again, as the write
// that created it would.
struct FileId {
    dev_t dev;
    ino_t ino;
    bool operator==(const FileId&) const = default;
};
std::mutex createdMutex;
std::vector<FileId> createdHere;

FileId IdOf(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}
bool CreatedHere(const FileId& id) {
    const std::lock_guard<std::mutex> guard(createdMutex);
    return std::find(createdHere.begin(), createdHere.end(), id) != createdHere.end();
}
void SetCreatedHere(const FileId& id, bool created) {
    const std::lock_guard<std::mutex> guard(createdMutex);
    std::erase(createdHere, id);
    if (created) createdHere.push_back(id);
}
} // namespace

RecordFile::RecordFile(std::string path, std::size_t recordSize) : path_(std::move(path)), size_(recordSize) {
    if (size_ == 0) throw std::invalid_argument("record size 0");
    Open(false);
}

void RecordFile::Open(bool forWriting) {
    // Only a file that does not exist is created; O_EXCL makes sure that one
    // created meanwhile by someone else is opened, not replaced, and that a
    // link leading nowhere is never replaced by a file. The loop is bounded:
    // such a link answers "no such file" to the open and "file exists" to
    // the creation every time.
    const PathToOpen open = FollowTrustedLinks(path_, "Impossibile aprire l'archivio");
    const int flags =
        (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC | (open.checked ? O_NOFOLLOW : 0);
    int fd = -1;
    bool created = false, missing = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        fd = ::open(open.path.c_str(), flags);
        if (fd >= 0 || errno != ENOENT) break;
        missing = true;
        fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            created = true;
            break;
        }
        if (errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        struct stat st {};
        if (err == EEXIST && ::lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            throw FileError("Impossibile aprire l'archivio \"" + path_ +
                                "\": il collegamento porta a un file che non esiste",
                            path_);
        // Nothing to read, and no file may be made here: an empty archive
        // for a reader, a failure for a writer.
        if (!forWriting && missing && (err == EACCES || err == EROFS || err == EPERM)) {
            if (fd_ >= 0) ::close(fd_);
            fd_ = -1;
            absent_ = true;
            writable_ = created_ = false;
            return;
        }
        throw FileError("Impossibile aprire l'archivio \"" + path_ + "\": " + ErrnoText(err), path_);
    }
    // A FIFO or a device in the archive's place would wait forever for data
    // that never comes: only a regular file is an archive.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError("Impossibile aprire l'archivio \"" + path_ + "\": non è un file", path_);
    }
    const int now = ::fcntl(fd, F_GETFL);
    if (now >= 0) ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    absent_ = false;
    writable_ = forWriting || created;
    if (created) SetCreatedHere(IdOf(st), true);
    created_ = created || (st.st_size == 0 && CreatedHere(IdOf(st)));
}

bool RecordFile::StillNamed() const {
    struct stat mine {
    }, named{};
    if (::fstat(fd_, &mine) != 0) return true; // the write that follows reports it
    if (::stat(path_.c_str(), &named) != 0) return errno != ENOENT;
    return named.st_dev == mine.st_dev && named.st_ino == mine.st_ino;
}

void RecordFile::ForgetIfCreatedEmpty() noexcept {
    struct stat st {
    }, name{};
    if (created_ && ::fstat(fd_, &st) == 0 && st.st_size == 0 && StillNamed() &&
        ::lstat(path_.c_str(), &name) == 0 && !S_ISLNK(name.st_mode)) {
        ::unlink(path_.c_str());
        SetCreatedHere(IdOf(st), false);
    }
    created_ = false;
}

RecordFile::~RecordFile() {
    if (fd_ >= 0) ::close(fd_);
}

void RecordFile::CheckOpen() const {
    if (fd_ < 0 && !absent_) throw FileError("L'archivio \"" + path_ + "\" è già chiuso", path_);
}

void RecordFile::Check(std::size_t length) const {
    CheckOpen();
    if (length != size_) throw std::invalid_argument("record of the wrong size for " + path_);
}

std::int64_t RecordFile::Bytes() const {
    CheckOpen();
    if (absent_) return 0;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throw FileError(
            "Impossibile leggere la dimensione dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
    return static_cast<std::int64_t>(st.st_size);
}

std::int64_t RecordFile::Count() const {
    return Bytes() / static_cast<std::int64_t>(size_);
}

void RecordFile::Acquire(bool exclusive) {
    CheckOpen();
    if (locks_ > 0) {
        if (exclusive && !lockedExclusive_) throw std::logic_error("exclusive lock inside a shared one");
        ++locks_;
        return;
    }
    // A write needs the file open for writing: opened again now (created
    // when it is still missing), and refused here when it may only be read.
    if (exclusive && !writable_) Open(true);
    for (int attempt = 0;; ++attempt) {
        lockedByFlock_ = false;
        switch (LockWholeFile(fd_, exclusive, lockedByFlock_)) {
        case LockResult::Taken:
            break;
        case LockResult::Busy:
            // Closed: the wait given up may still be going on behind it.
            ::close(fd_);
            fd_ = -1;
            throw FileBusy("L'archivio \"" + path_ + "\" è in uso da un'altra postazione", path_);
        case LockResult::Failed:
            throw FileError("Impossibile bloccare l'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
        }
        if (StillNamed()) break;
        // The file opened is no longer the archive (a first save that failed
        // on another workstation took away the file it had created): the
        // archive the path names now is opened and locked instead, so that
        // nothing is written into a file nobody will ever read.
        UnlockWholeFile(fd_, lockedByFlock_);
        if (attempt == 3)
            throw FileError("L'archivio \"" + path_ + "\" è stato sostituito durante la scrittura", path_);
        Open(exclusive);
        if (absent_) return; // gone, and nothing may be made here: nothing to lock
    }
    locks_ = 1;
    lockedExclusive_ = exclusive;
}

void RecordFile::Release() noexcept {
    if (locks_ == 0 || --locks_ > 0 || fd_ < 0) return;
    UnlockWholeFile(fd_, lockedByFlock_);
}

RecordFile::Lock::Lock(RecordFile& file) : file_(file) {
    file_.Acquire(true);
}

RecordFile::Lock::~Lock() {
    file_.Release();
}

void RecordFile::Seek(std::int64_t index) {
    if (index < 0 || index > Count())
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    pos_ = index;
}

void RecordFile::ReadAt(std::int64_t index, std::span<std::uint8_t> record) {
    if (index < 0)
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    pos_ = index;
    Read(record);
}

std::size_t RecordFile::ReadRecords(std::int64_t first, std::span<std::uint8_t> records) {
    CheckOpen();
    if (first < 0 || records.size() % size_ != 0)
        throw FileError("Posizione " + std::to_string(first) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    const std::size_t n = absent_ ? 0
                                  : ReadFully(fd_, reinterpret_cast<char*>(records.data()), records.size(),
                                              first * static_cast<std::int64_t>(size_), path_) /
                                        size_;
    pos_ = first + static_cast<std::int64_t>(n);
    return n;
}

void RecordFile::Read(std::span<std::uint8_t> record) {
    Check(record.size());
    const std::size_t n = absent_ ? 0
                                  : ReadFully(fd_, reinterpret_cast<char*>(record.data()), size_,
                                              pos_ * static_cast<std::int64_t>(size_), path_);
    if (n != size_)
        throw FileError("Lettura oltre la fine dell'archivio \"" + path_ + "\" (record " +
                            std::to_string(pos_ + 1) + ")",
                        path_);
    ++pos_;
}

void RecordFile::Write(std::span<const std::uint8_t> record) {
    Check(record.size());
    Lock lock(*this);
    const std::int64_t before = Bytes();
    const std::int64_t at = pos_ * static_cast<std::int64_t>(size_);
    // The archive may have become shorter since the position was taken: a
    // record is never written past its end, where it would leave a hole.
    if (at > before)
        throw FileError("Posizione " + std::to_string(pos_) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    written_ = true;
    try {
        WriteAll(fd_, reinterpret_cast<const char*>(record.data()), size_, at, path_);
    } catch (...) {
        // A record that was extending the archive is taken away again, and
        // with it an archive that this failed first save had created.
        if (at + static_cast<std::int64_t>(size_) > before) (void)::ftruncate(fd_, before);
        ForgetIfCreatedEmpty();
        throw;
    }
    ++pos_;
}

std::int64_t RecordFile::Append(std::span<const std::uint8_t> record) {
    Check(record.size());
    Lock lock(*this);
    const std::int64_t before = Bytes();
    const std::int64_t index = before / static_cast<std::int64_t>(size_);
    const std::int64_t at = index * static_cast<std::int64_t>(size_);
    // A trailing fragment is overwritten; its bytes are kept to be put back.
    std::string fragment(static_cast<std::size_t>(before - at), '\0');
    fragment.resize(ReadFully(fd_, fragment.data(), fragment.size(), at, path_));
    try {
        WriteAll(fd_, reinterpret_cast<const char*>(record.data()), size_, at, path_);
        FlushLocked();
    } catch (...) {
        // Back to the archive as it was, before the lock is released; an
        // archive that this failed first save had created goes away again.
        if (::ftruncate(fd_, before) == 0) {
            if (!fragment.empty()) (void)::pwrite(fd_, fragment.data(), fragment.size(), at);
            (void)::fsync(fd_);
        }
        ForgetIfCreatedEmpty();
        throw;
    }
    pos_ = index + 1;
    return pos_;
}

void RecordFile::FlushLocked() {
    if (::fsync(fd_) != 0)
        throw FileError("Errore di scrittura dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
    // Closing a second descriptor of the same open file reports what a
    // network file system could not store, while the lock is still held.
    const int copy = ::dup(fd_);
    if (copy < 0 || ::close(copy) != 0)
        throw FileError("Errore di chiusura dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
}

std::size_t RecordFile::ReadPart(std::int64_t index, std::span<std::uint8_t> record) {
    Check(record.size());
    if (index < 0)
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    std::size_t n = 0;
    if (!absent_) {
        // Shared: readers wait only for a write, and need no write access.
        Acquire(false);
        struct Release {
            RecordFile& file;
            ~Release() { file.Release(); }
        } release{*this};
        if (!absent_)
            n = ReadFully(fd_, reinterpret_cast<char*>(record.data()), size_,
                          index * static_cast<std::int64_t>(size_), path_);
    }
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(n), record.end(), std::uint8_t{0});
    pos_ = index + 1;
    return n;
}

void RecordFile::Update(std::int64_t index, std::span<std::uint8_t> record,
                        const std::function<void(std::size_t present)>& merge) {
    Check(record.size());
    Lock lock(*this);
    const std::int64_t before = Bytes();
    const std::int64_t at = index * static_cast<std::int64_t>(size_);
    if (index < 0 || at > before)
        throw FileError("Posizione " + std::to_string(index) + " fuori dall'archivio \"" + path_ + "\"",
                        path_);
    const std::size_t present = ReadPart(index, record);
    // The bytes as they were, to be put back when the write fails.
    const std::vector<std::uint8_t> old(record.begin(),
                                        record.begin() + static_cast<std::ptrdiff_t>(present));
    merge(present);
    try {
        WriteAll(fd_, reinterpret_cast<const char*>(record.data()), size_, at, path_);
        FlushLocked();
    } catch (...) {
        // The record is put back as it was, whatever failed, and an archive
        // that this failed first save had created goes away again; the
        // failure goes on.
        if (at + static_cast<std::int64_t>(size_) > before) (void)::ftruncate(fd_, before);
        if (!old.empty()) (void)::pwrite(fd_, old.data(), old.size(), at);
        (void)::fsync(fd_);
        ForgetIfCreatedEmpty();
        throw;
    }
    pos_ = index + 1;
}

void RecordFile::ForEach(const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& each) {
    CheckOpen();
    const std::int64_t count = Count();
    ReadRange(0, count, each, &pos_);
    pos_ = count;
}

void RecordFile::ForEachIn(
    std::int64_t first, std::int64_t count,
    const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& each) const {
    CheckOpen();
    ReadRange(first, count, each, nullptr);
}

void RecordFile::ReadRange(std::int64_t first, std::int64_t count,
                           const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& each,
                           std::int64_t* at) const {
    const std::int64_t perBlock = std::max<std::int64_t>(1, static_cast<std::int64_t>(kBlockBytes / size_));
    // The block is mapped apart (see BigMemory.h): a pass over a large
    // archive then starts with one page fault, not 256.
    const rtl::BigArray<std::uint8_t> block(
        static_cast<std::size_t>(std::min(perBlock, std::max<std::int64_t>(count, 1))) * size_);
    const std::int64_t end = first + count;
    for (std::int64_t from = first; from < end; from += perBlock) {
        const std::int64_t records = std::min(perBlock, end - from);
        const std::size_t bytes = static_cast<std::size_t>(records) * size_;
        const std::size_t n = absent_ ? 0
                                      : ReadFully(fd_, reinterpret_cast<char*>(block.data()), bytes,
                                                  from * static_cast<std::int64_t>(size_), path_);
        if (n != bytes) throw FileError("Lettura oltre la fine dell'archivio \"" + path_ + "\"", path_);
        for (std::int64_t i = 0; i < records; ++i) {
            const std::int64_t number = from + i + 1;
            if (at) *at = number;
            each(number,
                 std::span<const std::uint8_t>(block.data() + static_cast<std::size_t>(i) * size_, size_));
        }
    }
}

void RecordFile::Close() {
    absent_ = false;
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    if (written_ && ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        throw FileError("Errore di scrittura dell'archivio \"" + path_ + "\": " + ErrnoText(err), path_);
    }
    // Appends are flushed and checked as they happen: a close with nothing
    // else written has nothing left to lose.
    if (::close(fd) != 0 && written_)
        throw FileError("Errore di chiusura dell'archivio \"" + path_ + "\": " + ErrnoText(errno), path_);
}

} // namespace rtl
