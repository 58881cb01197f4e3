#include "platform/rtl/Files.h"

#include "platform/rtl/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
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

} // namespace

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
    std::string target = path;
    struct stat st {};
    bool exists = false;
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // Write through a link to the file it names. A link that leads
            // nowhere stays a link: writing a file in its place would keep
            // the data apart from the share it points to.
            char* real = ::realpath(path.c_str(), nullptr);
            if (!real) {
                const int err = errno;
                throw FileError("Impossibile scrivere il file \"" + path + "\": " +
                                    (err == ENOENT
                                         ? std::string("il collegamento porta a un file che non esiste")
                                         : ErrnoText(err)),
                                path);
            }
            target = real;
            std::free(real);
        }
        exists = ::stat(target.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode))
            throw FileError("Impossibile scrivere \"" + path + "\": non è un file", path);
        if (exists && ::access(target.c_str(), W_OK) != 0)
            throw FileError("Impossibile scrivere il file \"" + path + "\": " + ErrnoText(errno), path);
    } else if (errno != ENOENT) {
        throw FileError("Impossibile scrivere il file \"" + path + "\": " + ErrnoText(errno), path);
    }

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
    try {
        if (exists) ::fchmod(out.fd, st.st_mode & 07777);
        fill(out.fd);
        if (::fsync(out.fd) != 0)
            throw FileError("Errore di scrittura del file \"" + path + "\": " + ErrnoText(errno), path);
        const int fd = out.fd;
        out.fd = -1;
        if (::close(fd) != 0)
            throw FileError("Errore di scrittura del file \"" + path + "\": " + ErrnoText(errno), path);
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw FileError("Impossibile sostituire il file \"" + path + "\": " + ErrnoText(errno), path);
    } catch (...) {
        // No temporary file is left behind, whatever failed; the failure goes on.
        ::unlink(temp.c_str());
        throw;
    }
}

int OpenForReading(const std::string& path) {
    // O_NONBLOCK: the open of a FIFO returns at once instead of waiting for
    // a writer; the check below then refuses it before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

bool LockWholeFile(int fd, bool exclusive, bool& byFlock) {
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows
    int rc;
    do
        rc = ::fcntl(fd, F_OFD_SETLKW, &fl);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        byFlock = false;
        return true;
    }
    // Open file description locks refused by the file system, or by a
    // descriptor not opened for the kind of lock asked for.
    if (errno != EINVAL && errno != ENOLCK && errno != EOPNOTSUPP && errno != ENOSYS && errno != EBADF)
        return false;
    do
        rc = ::flock(fd, exclusive ? LOCK_EX : LOCK_SH);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) return false;
    byFlock = true;
    return true;
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
    DIR* dir = ::opendir(folder.c_str());
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

void BlockWriter::Flush() {
    WriteAll(fd_, block_, used_, -1, path_);
    written_ += used_;
    used_ = 0;
    // The bytes written so far are handed to the disk every few MiB, and
    // the writing goes on meanwhile: the flush that ends the file then waits
    // only for the last of them, not for the whole file. A failure to hand
    // them over is reported by that flush.
    if (written_ - handed_ >= kHandOver) {
        ::sync_file_range(fd_, static_cast<off_t>(handed_), static_cast<off_t>(written_ - handed_),
                          SYNC_FILE_RANGE_WRITE);
        handed_ = written_;
    }
}

void BlockWriter::WriteLarge(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == sizeof block_) Flush();
        const std::size_t n = std::min(bytes.size(), sizeof block_ - used_);
        std::memcpy(block_ + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void WriteFileInBlocks(const std::string& path, const std::function<void(BlockWriter&)>& fill) {
    ReplaceFile(path, [&](int out) {
        auto writer = std::unique_ptr<BlockWriter>(new BlockWriter(out, path));
        fill(*writer);
        writer->Flush();
    });
}

} // namespace rtl
