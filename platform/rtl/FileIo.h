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

// Replaces a file with what `fill` writes into a descriptor: a temporary file
// in the same folder, synced, closed and renamed over `path`. Any failure
// raises FileError and leaves `path` as it was. A link is written through to
// the file it names; a link that leads nowhere (a share that is not mounted)
// is refused, never replaced by a file of its own.
void ReplaceFile(const std::string& path, const std::function<void(int fd)>& fill);

// Opens an existing file for reading without waiting on it: a FIFO or a
// device would hold the open (or the first read) until someone else writes.
// Anything that is not a regular file is refused with FileError. Returns -1
// with errno set when the open itself fails (a missing file).
int OpenForReading(const std::string& path);

// Takes an advisory lock on the whole of an open file, shared or exclusive,
// waiting until it is granted: an open file description lock, which also
// works over NFS, or flock where the file system refuses those (`byFlock`
// tells which, for the release). Returns false with errno set when neither
// can be taken.
bool LockWholeFile(int fd, bool exclusive, bool& byFlock);
void UnlockWholeFile(int fd, bool byFlock) noexcept;

} // namespace rtl
