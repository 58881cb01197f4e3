#include "platform/rtl/Ini.h"

#include "platform/rtl/FileIo.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rtl {

namespace {

// One line of the file as stored: its bytes with the line end, and its text
// without it.
struct Line {
    std::size_t begin = 0; // offset of the first byte in the file
    std::size_t end = 0;   // offset just past the line end
    std::string_view text; // without "\n" or "\r\n"
    bool terminated = false;
};

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        Line l;
        l.begin = pos;
        l.end = nl == std::string_view::npos ? bytes.size() : nl + 1;
        l.terminated = nl != std::string_view::npos;
        std::string_view t = bytes.substr(pos, (l.terminated ? nl : bytes.size()) - pos);
        if (l.terminated && !t.empty() && t.back() == '\r') t.remove_suffix(1);
        l.text = t;
        lines.push_back(l);
        pos = l.end;
    }
    return lines;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

// The section name of a header line "[name]".
std::optional<std::string_view> SectionOf(std::string_view text) {
    const std::string_view t = TrimView(text);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return TrimView(t.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key, value;
};

// A "key=value" line; comments (";") and lines without "=" are none.
std::optional<KeyValue> KeyOf(std::string_view text) {
    const std::string_view t = TrimView(text);
    if (t.empty() || t.front() == ';') return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view key = TrimView(t.substr(0, eq));
    if (key.empty()) return std::nullopt;
    return KeyValue{key, TrimView(t.substr(eq + 1))};
}

// Where a section and a key lie among the lines.
struct Location {
    std::optional<std::size_t> section; // index of the header line
    std::optional<std::size_t> key;     // index of the key line
    std::size_t lastContent = 0;        // last non-blank line of the section
    std::string_view value;
};

Location Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location loc;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i].text);
        if (loc.section) {
            if (name) break; // the next section begins
            if (!TrimView(lines[i].text).empty()) loc.lastContent = i;
            const auto kv = KeyOf(lines[i].text);
            if (kv && SameName(kv->key, key)) {
                loc.key = i;
                loc.value = kv->value;
                break;
            }
        } else if (name && SameName(*name, section)) {
            loc.section = i;
            loc.lastContent = i;
        }
    }
    return loc;
}

// Refuses at once a file that is there but is no regular file (a folder, a
// FIFO), before any lock is taken or anything opened.
void RefuseNonRegular(const std::string& path, const char* verb) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw FileError(std::string("Impossibile ") + verb + " \"" + path + "\": non è un file", path);
}

// The lock of an INI file. A lock held on the file itself would be lost at
// every write, since the file is replaced by a rename: the lock is taken on
// a hidden file beside it, ".<name>.lock", created on first use and never
// removed, which every workstation sharing the folder finds under the same
// name. A link is followed to the file it names, in whose folder the rename
// happens (inside the data folder, only a link of this user or of root).
std::string LockPathOf(const std::string& path) {
    std::string target = FollowTrustedLinks(path, "Impossibile bloccare il file").path;
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) target = path; // nothing there yet: beside the name
    const std::size_t slash = target.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, name) + "." + target.substr(name) + ".lock";
}

// The bytes of the file; empty when it does not exist.
std::string LoadBytes(const std::string& path) {
    return ReadFileIfExists(path).value_or(std::string());
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

// Takes the lock of an INI file and releases it when it leaves scope. An
// exclusive lock that cannot be had raises FileError (FileBusy when another
// workstation holds it past the wait). A shared one goes on without a lock
// when the lock file can be neither created nor opened (a read-only folder):
// every write replaces the file whole by a rename, so such a read still sees
// one whole version of it.
//
// The lock file serves every user who may write the file it guards: it is
// created with the permission bits of that file, and one that this user may
// not write is opened for reading and locked all the same, with flock, which
// needs no write access for an exclusive lock. Every workstation locks it
// with flock.
class IniLock {
public:
    IniLock(const std::string& path, bool exclusive) {
        const std::string lockPath = LockPathOf(path);
        constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        struct stat guarded {};
        const bool known = ::stat(path.c_str(), &guarded) == 0;
        fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0666);
        if (fd_ >= 0) {
            // The umask would take away what the guarded file grants.
            if (known) (void)::fchmod(fd_, guarded.st_mode & 0666);
        } else if (errno == EEXIST) {
            fd_ = ::open(lockPath.c_str(), O_RDWR | kFlags);
            if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
                fd_ = ::open(lockPath.c_str(), O_RDONLY | kFlags);
        }
        int err = errno;
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            err = EINVAL;
            Drop();
        }
        byFlock_ = true;
        if (fd_ >= 0) {
            switch (LockWholeFile(fd_, exclusive, byFlock_)) {
            case LockResult::Taken:
                return;
            case LockResult::Busy:
                Drop();
                throw FileBusy("Il file \"" + path + "\" è in uso da un'altra postazione", path);
            case LockResult::Failed:
                err = errno;
                Drop();
                break;
            }
        }
        if (exclusive)
            throw FileError(
                "Impossibile bloccare il file \"" + path + "\" per la scrittura: " + ErrnoText(err), path);
    }
    ~IniLock() {
        if (fd_ < 0) return;
        UnlockWholeFile(fd_, byFlock_);
        ::close(fd_);
    }
    IniLock(const IniLock&) = delete;
    IniLock& operator=(const IniLock&) = delete;

private:
    void Drop() {
        ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
    bool byFlock_ = true;
};

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    RefuseNonRegular(path_, "leggere");
    std::optional<IniLock> lock;
    if (!held_) lock.emplace(path_, false);
    const std::string bytes = LoadBytes(path_);
    const std::vector<Line> lines = SplitLines(bytes);
    const Location loc = Find(lines, Utf8ToCp1252(TrimView(section)), Utf8ToCp1252(TrimView(key)));
    if (!loc.key) return std::string(def);
    return Cp1252ToUtf8(loc.value);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view sec = TrimView(section), k = TrimView(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || k.empty() ||
        k.find('=') != std::string_view::npos || k.front() == ';' || k.front() == '[' ||
        sec.find(']') != std::string_view::npos)
        throw FileError("Impossibile scrivere nel file \"" + path_ + "\": nome o valore non ammesso", path_);

    const std::string secBytes = Utf8ToCp1252(sec), keyBytes = Utf8ToCp1252(k);
    const std::string entry = keyBytes + "=" + Utf8ToCp1252(value) + "\r\n";
    RefuseNonRegular(path_, "scrivere");
    // From the read to the rename, so that no other change made meanwhile is
    // written over with the copy read here.
    std::optional<IniLock> lock;
    if (!held_) lock.emplace(path_, true);
    const std::string bytes = LoadBytes(path_);
    const std::vector<Line> lines = SplitLines(bytes);
    const Location loc = Find(lines, secBytes, keyBytes);

    std::string out;
    if (loc.key) {
        const Line& l = lines[*loc.key];
        out = bytes.substr(0, l.begin) + entry + bytes.substr(l.end);
    } else if (loc.section) {
        const Line& l = lines[loc.lastContent];
        out = bytes.substr(0, l.end);
        if (!l.terminated) out += "\r\n";
        out += entry;
        out += bytes.substr(l.end);
    } else {
        out = bytes;
        if (!out.empty() && out.back() != '\n') out += "\r\n";
        out += "[" + secBytes + "]\r\n" + entry;
    }
    WriteWholeFile(path_, out);
}

IniFile::Update::Update(IniFile& file) : file_(file) {
    RefuseNonRegular(file_.path_, "scrivere");
    lock_ = std::make_unique<IniLock>(file_.path_, true);
    file_.held_ = true;
}

IniFile::Update::~Update() {
    file_.held_ = false;
}

} // namespace rtl
