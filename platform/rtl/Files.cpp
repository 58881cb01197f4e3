#include "platform/rtl/Files.h"

#include "platform/rtl/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace rtl {

namespace {

std::optional<std::string> dataFolderOverride;

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ExecutableFolder() {
    std::string buf(PATH_MAX, '\0');
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0)
        throw FileError("Impossibile determinare la cartella del programma: " + ErrnoText(errno),
                        "/proc/self/exe");
    buf.resize(static_cast<std::size_t>(n));
    return buf.substr(0, buf.rfind('/') + 1);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Closes a descriptor when it leaves scope, unless released.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// The names of a path between its slashes, pushed so that the first comes
// off the back first.
void PushNames(std::vector<std::string>& names, std::string_view path) {
    std::vector<std::string> these;
    std::size_t at = 0;
    while (at <= path.size()) {
        const std::size_t slash = std::min(path.find('/', at), path.size());
        if (slash > at) these.emplace_back(path.substr(at, slash - at));
        at = slash + 1;
    }
    names.insert(names.end(), these.rbegin(), these.rend());
}

// Whether a link of this owner may be followed: the rule Linux applies in
// shared sticky folders.
bool TrustedOwner(uid_t owner) {
    return owner == ::geteuid() || owner == 0;
}

// The temporary files of ReplaceFile: ".dorneval-<pid>-<n>.tmp".
constexpr std::string_view kTempPrefix = ".dorneval-";
constexpr std::string_view kTempSuffix = ".tmp";

bool Digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool TemporaryName(std::string_view name) {
    if (name.size() <= kTempPrefix.size() + kTempSuffix.size() || !name.starts_with(kTempPrefix) ||
        !name.ends_with(kTempSuffix))
        return false;
    name.remove_prefix(kTempPrefix.size());
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dash = name.find('-');
    return dash != std::string_view::npos && Digits(name.substr(0, dash)) && Digits(name.substr(dash + 1));
}

// Removes the temporary files of the program older than a day from a folder:
// what a writer stopped in the middle of a write (killed, a machine switched
// off) left behind. Only regular files of that exact name; nothing is said
// when one cannot be removed.
void RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t dayAgo = std::time(nullptr) - 24 * 60 * 60;
    while (const dirent* e = ::readdir(dir)) {
        if (!TemporaryName(e->d_name)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_mtime < dayAgo)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

std::function<void(bool)> lockWaitNotice;
std::optional<std::chrono::milliseconds> lockWaitOverride;
constexpr std::chrono::milliseconds kLockWait{5000};

// One try at the lock, waiting for it or not: 0 taken, 1 held elsewhere
// (not waiting), -1 failed with errno set.
int TryLock(int fd, bool exclusive, bool wait, bool& byFlock) {
    int rc;
    if (!byFlock) {
        struct flock fl {};
        fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0;
        fl.l_len = 0; // the whole file, however long it grows
        do
            rc = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl);
        while (rc != 0 && errno == EINTR);
        if (rc == 0) return 0;
        if (errno == EAGAIN || errno == EACCES) return 1;
        // Open file description locks refused by the file system, or by a
        // descriptor not opened for the kind of lock asked for.
        if (errno != EINVAL && errno != ENOLCK && errno != EOPNOTSUPP && errno != ENOSYS && errno != EBADF)
            return -1;
        byFlock = true;
    }
    do
        rc = ::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB));
    while (rc != 0 && errno == EINTR);
    if (rc == 0) return 0;
    return errno == EWOULDBLOCK ? 1 : -1;
}

// A wait for a lock, shared by the thread that waits for it and the one that
// asked.
struct LockWait {
    std::mutex m;
    std::condition_variable cv;
    bool done = false;      // the waiting thread has an answer
    bool abandoned = false; // the asking thread has given up
    int result = -1;
    int err = 0;
    bool byFlock = false;
};

// An old file at least this large is removed after it is replaced, off the
// caller's wait (see ReplaceFile).
constexpr off_t kRemovedLater = off_t(64) << 20;

// Files being removed, each on a thread of its own; a program that ends
// normally waits for them. One that stops otherwise leaves the file under its
// temporary name, as any temporary file of a program that stopped.
class Removals {
public:
    void Start(const std::string& path) {
        {
            const std::lock_guard lock(mutex_);
            ++running_;
        }
        try {
            std::thread([this, path] {
                ::unlink(path.c_str());
                // Told under the lock: once it is released, the waiting
                // destructor may end and this object is gone.
                const std::lock_guard lock(mutex_);
                --running_;
                done_.notify_all();
            }).detach();
        } catch (const std::system_error&) {
            ::unlink(path.c_str()); // no thread to be had: removed now
            const std::lock_guard lock(mutex_);
            --running_;
        }
    }
    ~Removals() {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    int running_ = 0;
};

void RemoveLater(const std::string& path) {
    static Removals removals;
    removals.Start(path);
}

} // namespace

PathToOpen FollowTrustedLinks(const std::string& path, const std::string& failure) {
    const std::string folder = DataFolder();
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return {path, false};
    // The data folder is taken as the system finds it (it may be a mounted
    // share); every name after it is looked at before it is used.
    std::string done = folder.substr(0, folder.size() - 1);
    std::vector<std::string> names;
    PushNames(names, std::string_view(path).substr(folder.size()));
    int links = 0;
    while (!names.empty()) {
        const std::string name = std::move(names.back());
        names.pop_back();
        if (name == ".") continue;
        std::string next = done + "/" + name;
        if (name == "..") {
            done = std::move(next);
            continue;
        }
        struct stat st {};
        const bool there = ::lstat(next.c_str(), &st) == 0;
        if (there && !S_ISLNK(st.st_mode)) {
            done = std::move(next);
            continue;
        }
        if (!there) {
            // Not there, or not to be looked at: the rest is taken as it is,
            // and the open tells what is wrong.
            done = std::move(next);
            while (!names.empty()) {
                done += "/" + names.back();
                names.pop_back();
            }
            break;
        }
        if (!TrustedOwner(st.st_uid))
            throw FileError(failure + " \"" + path + "\": il collegamento \"" + next +
                                "\" appartiene a un altro utente",
                            path);
        if (++links > 40) throw FileError(failure + " \"" + path + "\": " + ErrnoText(ELOOP), path);
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(next.c_str(), target.data(), target.size());
        if (n <= 0 || n >= PATH_MAX)
            throw FileError(failure + " \"" + path + "\": " + ErrnoText(n <= 0 ? errno : ENAMETOOLONG), path);
        target.resize(static_cast<std::size_t>(n));
        if (target.front() == '/') done.clear();
        PushNames(names, target);
    }
    return {done.empty() ? "/" : done, true};
}

std::string ErrnoText(int err) {
    return std::generic_category().message(err);
}

void WriteAll(int fd, const char* data, std::size_t size, std::int64_t offset, const std::string& path) {
    while (size > 0) {
        const ssize_t n = offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            throw FileError("Errore di scrittura del file \"" + path +
                                "\": " + (n < 0 ? ErrnoText(errno) : std::string("scrittura incompleta")),
                            path);
        data += n;
        size -= static_cast<std::size_t>(n);
        if (offset >= 0) offset += n;
    }
}

std::size_t ReadFully(int fd, char* data, std::size_t size, std::int64_t offset, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            offset < 0 ? ::read(fd, data + done, size - done)
                       : ::pread(fd, data + done, size - done, offset + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FileError("Errore di lettura del file \"" + path + "\": " + ErrnoText(errno), path);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void ReplaceFile(const std::string& path, const std::function<void(int fd)>& fill) {
    const std::string failure = "Impossibile scrivere il file";
    std::string target = FollowTrustedLinks(path, failure).path;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists) {
        const int err = errno;
        // A link that leads nowhere stays a link: writing a file in its place
        // would keep the data apart from the share it points to.
        struct stat link {};
        if (err == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            throw FileError(failure + " \"" + path + "\": il collegamento porta a un file che non esiste",
                            path);
        if (err != ENOENT) throw FileError(failure + " \"" + path + "\": " + ErrnoText(err), path);
    } else {
        if (!S_ISREG(st.st_mode))
            throw FileError("Impossibile scrivere \"" + path + "\": non è un file", path);
        if (::access(target.c_str(), W_OK) != 0)
            throw FileError(failure + " \"" + path + "\": " + ErrnoText(errno), path);
        // Outside the data folder a link is still there: the file it names is
        // written, in the folder of that file.
        struct stat link {};
        if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            if (char* real = ::realpath(target.c_str(), nullptr)) {
                target = real;
                std::free(real);
            }
        }
    }
    RemoveStaleTemporaries(FolderOf(target));

    // A short name (fixed prefix, process id, counter): any name the folder
    // can hold can be written, however long it is.
    static std::atomic<unsigned> counter{0};
    const std::string prefix = FolderOf(target) + "/.dorneval-" + std::to_string(::getpid()) + "-";
    std::string temp;
    Fd out;
    for (;;) {
        temp = prefix + std::to_string(counter++) + ".tmp";
        out.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out.fd >= 0) break;
        if (errno != EEXIST)
            throw FileError("Impossibile scrivere il file \"" + path + "\": " + ErrnoText(errno), path);
    }
    std::string held;
    try {
        if (exists) ::fchmod(out.fd, st.st_mode & 07777);
        fill(out.fd);
        if (::fsync(out.fd) != 0)
            throw FileError("Errore di scrittura del file \"" + path + "\": " + ErrnoText(errno), path);
        const int fd = out.fd;
        out.fd = -1;
        if (::close(fd) != 0)
            throw FileError("Errore di scrittura del file \"" + path + "\": " + ErrnoText(errno), path);
        // A large old file is kept under a second name of the temporary
        // kind while the rename replaces it, and removed after it, off the
        // caller's wait: its removal (the release of every block, a discard
        // on some disks) takes a while. Where no second name can be made the
        // rename removes it, as for a small file.
        if (exists && st.st_size >= kRemovedLater) {
            for (;;) {
                held = prefix + std::to_string(counter++) + ".tmp";
                if (::link(target.c_str(), held.c_str()) == 0) break;
                if (errno != EEXIST) {
                    held.clear();
                    break;
                }
            }
        }
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw FileError("Impossibile sostituire il file \"" + path + "\": " + ErrnoText(errno), path);
    } catch (...) {
        // No temporary file is left behind, whatever failed; the failure goes on.
        ::unlink(temp.c_str());
        if (!held.empty()) ::unlink(held.c_str());
        throw;
    }
    if (!held.empty()) RemoveLater(held);
}

int OpenForReading(const std::string& path) {
    // O_NONBLOCK: the open of a FIFO returns at once instead of waiting for
    // a writer; the check below then refuses it before anything is read.
    // O_NOFOLLOW: a path whose links were followed here holds none any more.
    const PathToOpen open = FollowTrustedLinks(path, "Impossibile leggere il file");
    const int fd =
        ::open(open.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (open.checked ? O_NOFOLLOW : 0));
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        throw FileError("Impossibile leggere il file \"" + path + "\": " + ErrnoText(err), path);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError("Impossibile leggere \"" + path + "\": non è un file", path);
    }
    // Plain blocking reads from here on, as for any regular file.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

LockResult LockWholeFile(int fd, bool exclusive, bool& byFlock) {
    const int first = TryLock(fd, exclusive, false, byFlock);
    if (first == 0) return LockResult::Taken;
    if (first < 0) return LockResult::Failed;
    // Held elsewhere. The wait itself runs on a thread of its own, on a
    // second descriptor of the same open file (the lock belongs to the open
    // file, so it is this descriptor's when granted), and is given up after
    // the time allowed: a workstation that never lets go (a stalled machine
    // or share) does not hold the program.
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) return LockResult::Failed;
    auto wait = std::make_shared<LockWait>();
    std::thread([wait, copy, exclusive, byFlock]() mutable {
        const int result = TryLock(copy, exclusive, true, byFlock);
        const int err = errno;
        {
            const std::lock_guard<std::mutex> guard(wait->m);
            if (!wait->abandoned) {
                wait->done = true;
                wait->result = result;
                wait->err = err;
                wait->byFlock = byFlock;
            } else if (result == 0) {
                // Granted after the asker gave up: let go at once.
                UnlockWholeFile(copy, byFlock);
            }
        }
        wait->cv.notify_all();
        // The asker's descriptor keeps the open file, and so a lock granted
        // in time, for as long as it is open.
        ::close(copy);
    }).detach();

    if (lockWaitNotice) lockWaitNotice(true);
    std::unique_lock<std::mutex> guard(wait->m);
    wait->cv.wait_for(guard, lockWaitOverride.value_or(kLockWait), [&] { return wait->done; });
    const bool done = wait->done;
    wait->abandoned = !done;
    const int result = wait->result, err = wait->err;
    if (done) byFlock = wait->byFlock;
    guard.unlock();
    if (lockWaitNotice) lockWaitNotice(false);
    if (!done) return LockResult::Busy;
    if (result != 0) {
        errno = err;
        return LockResult::Failed;
    }
    return LockResult::Taken;
}

void SetLockWaitNotice(std::function<void(bool waiting)> notice) {
    lockWaitNotice = std::move(notice);
}

void SetLockWaitForTesting(std::chrono::milliseconds wait) {
    lockWaitOverride = wait;
}

void ResetLockWait() {
    lockWaitOverride.reset();
}

void UnlockWholeFile(int fd, bool byFlock) noexcept {
    if (byFlock) {
        ::flock(fd, LOCK_UN);
        return;
    }
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    ::fcntl(fd, F_OFD_SETLK, &fl);
}

std::string DataFolder() {
    if (dataFolderOverride) return *dataFolderOverride;
    static const std::string folder = ExecutableFolder();
    return folder;
}

std::string DataPath(std::string_view name) {
    return DataFolder() + std::string(name);
}

void SetDataFolderForTesting(std::string_view folder) {
    dataFolderOverride = WithSeparator(std::string(folder));
}

void ResetDataFolder() {
    dataFolderOverride.reset();
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void CreateFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec || !FolderExists(path))
        throw FileError("Impossibile creare la cartella \"" + path +
                            "\": " + (ec ? ec.message() : std::string("esiste già un file con questo nome")),
                        path);
}

void CopyFile(const std::string& from, const std::string& to) {
    Fd in;
    in.fd = OpenForReading(from);
    if (in.fd < 0) throw FileError("Impossibile aprire il file \"" + from + "\": " + ErrnoText(errno), from);
    struct stat src {
    }, dst{};
    if (::fstat(in.fd, &src) != 0)
        throw FileError("Impossibile leggere il file \"" + from + "\": " + ErrnoText(errno), from);
    if (::stat(to.c_str(), &dst) == 0 && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return;
    ReplaceFile(to, [&](int out) {
        std::string buf(1 << 20, '\0');
        for (;;) {
            const std::size_t n = ReadFully(in.fd, buf.data(), buf.size(), -1, from);
            if (n == 0) break;
            WriteAll(out, buf.data(), n, -1, to);
        }
    });
}

bool DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

std::vector<std::string> ListFiles(const std::string& folder) {
    DIR* dir = ::opendir(FollowTrustedLinks(folder, "Impossibile leggere la cartella").path.c_str());
    if (!dir)
        throw FileError("Impossibile leggere la cartella \"" + folder + "\": " + ErrnoText(errno), folder);
    std::vector<std::string> names;
    const std::string base = WithSeparator(folder);
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (FileExists(base + name)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
std::string ReadOpened(const Fd& in, const std::string& path) {
    std::string content;
    std::string buf(1 << 16, '\0');
    for (;;) {
        const std::size_t n = ReadFully(in.fd, buf.data(), buf.size(), -1, path);
        if (n == 0) break;
        content.append(buf.data(), n);
    }
    return content;
}
} // namespace

std::string ReadWholeFile(const std::string& path) {
    Fd in;
    in.fd = OpenForReading(path);
    if (in.fd < 0) throw FileError("Impossibile aprire il file \"" + path + "\": " + ErrnoText(errno), path);
    return ReadOpened(in, path);
}

std::optional<std::string> ReadFileIfExists(const std::string& path) {
    Fd in;
    in.fd = OpenForReading(path);
    if (in.fd < 0 && (errno == ENOENT || errno == ENOTDIR)) return std::nullopt;
    if (in.fd < 0) throw FileError("Impossibile aprire il file \"" + path + "\": " + ErrnoText(errno), path);
    return ReadOpened(in, path);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    ReplaceFile(path, [&](int out) { WriteAll(out, bytes.data(), bytes.size(), -1, path); });
}

// The thread that writes the blocks into the file, one block behind the
// filling, and the two blocks: one being filled, the other being written.
class BlockWriter::Disk {
public:
    Disk(int fd, const std::string& path) : fd_(fd), path_(path) {
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            // No thread to be had: each block is written as it is handed over.
        }
    }
    ~Disk() {
        if (!thread_.joinable()) return;
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    char* Block(int i) { return blocks_[i].get(); }

    // Hands `size` bytes of `data` over to be written, once the block
    // handed over before is written; a failure of an earlier block raises.
    void Send(const char* data, std::size_t size) {
        if (!thread_.joinable()) {
            Write(data, size);
            return;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !pending_; });
        if (failure_) std::rethrow_exception(failure_);
        pending_ = data;
        pendingSize_ = size;
        lock.unlock();
        changed_.notify_all();
    }

    // Waits until every block handed over is written.
    void Wait() {
        if (!thread_.joinable()) return;
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !pending_; });
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return pending_ || ended_; });
            if (!pending_) return;
            const char* data = pending_;
            const std::size_t size = pendingSize_;
            const bool failed = failure_ != nullptr;
            lock.unlock();
            std::exception_ptr failure;
            if (!failed) {
                try {
                    Write(data, size);
                } catch (...) {
                    failure = std::current_exception();
                }
            }
            lock.lock();
            if (failure) failure_ = failure;
            pending_ = nullptr;
            changed_.notify_all();
        }
    }

    void Write(const char* data, std::size_t size) {
        WriteAll(fd_, data, size, -1, path_);
        written_ += size;
        // The bytes written so far are handed to the disk every few MiB,
        // and the writing goes on meanwhile: the flush that ends the file
        // then waits only for the last of them, not for the whole file. Two
        // such windows are on their way at a time: before a third is handed
        // over, the writing waits for the oldest to reach the disk and drops
        // it from the memory, so that written pages never pile up (a pile of
        // them makes the system hold up every writer at once, for seconds).
        // A failure to hand them over is reported by that flush.
        if (written_ - handed_ < kHandOver) return;
        ::sync_file_range(fd_, static_cast<off_t>(handed_), static_cast<off_t>(written_ - handed_),
                          SYNC_FILE_RANGE_WRITE);
        if (previous_ > onDisk_) {
            const auto from = static_cast<off_t>(onDisk_), length = static_cast<off_t>(previous_ - onDisk_);
            ::sync_file_range(fd_, from, length,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                  SYNC_FILE_RANGE_WAIT_AFTER);
            ::posix_fadvise(fd_, from, length, POSIX_FADV_DONTNEED);
            onDisk_ = previous_;
        }
        previous_ = handed_;
        handed_ = written_;
    }

    // How much is written before it is handed to the disk.
    static constexpr std::size_t kHandOver = std::size_t(8) << 20;

    const int fd_;
    const std::string& path_;
    std::unique_ptr<char[]> blocks_[2] = {std::make_unique_for_overwrite<char[]>(kBlock),
                                          std::make_unique_for_overwrite<char[]>(kBlock)};
    std::size_t written_ = 0;  // bytes that reached the file
    std::size_t handed_ = 0;   // of them, handed to the disk
    std::size_t previous_ = 0; // where the window handed last begins
    std::size_t onDisk_ = 0;   // of them, waited for and dropped from the memory

    std::mutex mutex_;
    std::condition_variable changed_;
    const char* pending_ = nullptr; // the block to write, until it is written
    std::size_t pendingSize_ = 0;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // started last, when everything it uses is there
};

BlockWriter::BlockWriter(int fd, const std::string& path)
    : disk_(std::make_unique<Disk>(fd, path)), block_(disk_->Block(0)) {}

BlockWriter::~BlockWriter() = default;

void BlockWriter::Flush() {
    disk_->Send(block_, used_);
    block_ = block_ == disk_->Block(0) ? disk_->Block(1) : disk_->Block(0);
    used_ = 0;
}

void BlockWriter::Finish() {
    if (used_ > 0) Flush();
    disk_->Wait();
}

void BlockWriter::WriteLarge(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == kBlock) Flush();
        const std::size_t n = std::min(bytes.size(), kBlock - used_);
        std::memcpy(block_ + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void WriteFileInBlocks(const std::string& path, const std::function<void(BlockWriter&)>& fill) {
    ReplaceFile(path, [&](int out) {
        BlockWriter writer(out, path);
        fill(writer);
        writer.Finish();
    });
}

} // namespace rtl
