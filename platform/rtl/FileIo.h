#pragma once
// Descriptor-level helpers shared by the file facilities, the INI files and
// the record files. Not for use outside platform/rtl.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace rtl {

// The text of an errno value.
std::string ErrnoText(int err);

// Writes every byte (at `offset`, or at the current position when negative);
// anything less raises FileError naming `path`.
void WriteAll(int fd, const char* data, std::size_t size, std::int64_t offset, const std::string& path);

// Reads until `size` bytes or the end of the file (at `offset`, or at the
// current position when negative) and returns the count; errors raise.
std::size_t ReadFully(int fd, char* data, std::size_t size, std::int64_t offset, const std::string& path);

// A path as it may be opened: inside the data folder every symbolic link met
// after the data folder itself is followed here, and only when it belongs to
// this user or to root; a link of someone else raises FileError("<failure>
// \"<path>\": ..."), `failure` naming the action ("Impossibile scrivere il
// file"). The path returned holds no link then (`checked`), but for a part
// that does not exist, which is kept as it is. Outside the data folder the
// path comes back unchanged, its links left to the system.
struct PathToOpen {
    std::string path;
    bool checked = false;
};
PathToOpen FollowTrustedLinks(const std::string& path, const std::string& failure);

// Replaces a file with what `fill` writes into a descriptor: a temporary file
// in the same folder, synced, closed and renamed over `path`. Any failure
// raises FileError and leaves `path` as it was. A link is written through to
// the file it names (inside the data folder, only a link of this user or of
// root); a link that leads nowhere (a share that is not mounted) is refused,
// never replaced by a file of its own.
void ReplaceFile(const std::string& path, const std::function<void(int fd)>& fill);

// Opens an existing file for reading without waiting on it: a FIFO or a
// device would hold the open (or the first read) until someone else writes.
// Anything that is not a regular file, and a link of another user inside the
// data folder, is refused with FileError. Returns -1 with errno set when the
// open itself fails (a missing file).
int OpenForReading(const std::string& path);

// Takes an advisory lock on the whole of an open file, shared or exclusive:
// an open file description lock, which also works over NFS, or flock where
// the file system or the descriptor refuses those; with `byFlock` true on
// entry, flock alone (which needs no write access for an exclusive lock).
// `byFlock` tells which was taken, for the release. A lock held elsewhere is
// awaited for a few seconds (see SetLockWaitNotice), then Busy comes back;
// Failed (errno set) when no lock can be had. After Busy the descriptor is
// closed, never locked again: the wait may still be going on behind it.
enum class LockResult { Taken, Busy, Failed };
LockResult LockWholeFile(int fd, bool exclusive, bool& byFlock);
void UnlockWholeFile(int fd, bool byFlock) noexcept;

} // namespace rtl
