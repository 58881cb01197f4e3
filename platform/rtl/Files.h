#pragma once
// File facilities: the data folder, existence tests, folders, copies and
// whole-file reads and writes. Paths are UTF-8 texts. Every failure raises
// FileError with a message naming the file and the cause; nothing reports a
// failed write as done.
//
// The data folder may be shared by several user accounts: inside it a
// symbolic link is followed only when it belongs to the user running the
// program or to root (the data folder itself may be a link, a mounted
// share). A file reached through a link of someone else is refused as a
// failure to read or write it, before anything is read or written.
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Errors.h"

namespace rtl {

class FileError : public DataError {
public:
    FileError(const std::string& message, std::string path) : DataError(message), path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A file that another workstation keeps locked for longer than the program
// waits for it (about 5 s): the action is refused and may be tried again.
class FileBusy : public FileError {
public:
    using FileError::FileError;
};

// While a lock held elsewhere is awaited, `notice(true)` is called before the
// wait and `notice(false)` after it, on the waiting thread: the user interface
// shows the wait cursor meanwhile. Empty: nothing is told.
void SetLockWaitNotice(std::function<void(bool waiting)> notice);
// For tests only: a lock held elsewhere is awaited `wait` before FileBusy,
// until ResetLockWait().
void SetLockWaitForTesting(std::chrono::milliseconds wait);
void ResetLockWait();

// The folder of the running executable, with its trailing "/". Every file of
// the program but those the user picks lies there.
std::string DataFolder();
// DataFolder() + name.
std::string DataPath(std::string_view name);
// For tests only: the data folder becomes `folder` (a trailing "/" is added
// when missing) until ResetDataFolder(). Nothing else changes it.
void SetDataFolderForTesting(std::string_view folder);
void ResetDataFolder();

// True for an existing regular file (following links), false otherwise.
bool FileExists(const std::string& path);
// True for an existing folder (following links).
bool FolderExists(const std::string& path);

// Creates the folder and every missing parent; an existing folder is fine.
void CreateFolders(const std::string& path);

// Copies `from` onto `to`, replacing it. The copy is written beside `to` and
// renamed over it, so a failed copy leaves `to` as it was. Copying a file onto
// itself (under any spelling of its path) leaves it intact.
void CopyFile(const std::string& from, const std::string& to);

// Removes a file; false when it could not be removed (missing included).
bool DeleteFile(const std::string& path);

// Names (not paths) of the regular files in a folder, sorted by byte value.
std::vector<std::string> ListFiles(const std::string& folder);

// The whole content of a file, as bytes.
std::string ReadWholeFile(const std::string& path);
// The same, or nothing when the file (or its folder) does not exist: one
// open, no exception for a missing file. Other failures raise.
std::optional<std::string> ReadFileIfExists(const std::string& path);

// Replaces the whole content of a file (creating it when missing) through a
// temporary file in the same folder and a rename: on failure the old file is
// left as it was. Refuses a file that exists but is not writable. Temporary
// files of the program (".dorneval-<pid>-<n>.tmp") older than a day, left in
// that folder by a writer that was stopped, are removed.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The writer that WriteFileInBlocks hands out: bytes are gathered in blocks
// of 1 MiB, and each full block goes to a thread of its own that writes it
// into the file and hands it to the disk, while the next block is filled.
// Failures raise FileError, at the latest when the file is ended.
class BlockWriter {
public:
    ~BlockWriter();
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    void Write(std::string_view bytes) {
        if (bytes.size() <= kBlock - used_) {
            std::memcpy(block_ + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            WriteLarge(bytes);
        }
    }
    void Write(char c) {
        if (used_ == kBlock) Flush();
        block_[used_++] = c;
    }
    // Room for up to `n` bytes (at most kBlock) right after those gathered:
    // the caller writes there and then tells how many it wrote by Advance.
    // Text formatted this way goes straight into the block, with no copy.
    char* Room(std::size_t n) {
        if (kBlock - used_ < n) Flush();
        return block_ + used_;
    }
    void Advance(std::size_t n) { used_ += n; }

    static constexpr std::size_t kBlock = std::size_t(1) << 20;

private:
    friend void WriteFileInBlocks(const std::string&, const std::function<void(BlockWriter&)>&);
    BlockWriter(int fd, const std::string& path);
    void WriteLarge(std::string_view bytes);
    // Hands the block over and goes on in the other one.
    void Flush();
    // Hands the last block over and waits until every block is written.
    void Finish();

    class Disk; // the writing thread and the two blocks
    std::unique_ptr<Disk> disk_;
    char* block_;          // the block being filled
    std::size_t used_ = 0; // bytes in it
};

// Replaces the content of a file as WriteWholeFile does (a temporary file
// renamed over it, the old file left as it was on failure) with the bytes
// that `fill` hands to the writer: a long file is never held whole in memory.
void WriteFileInBlocks(const std::string& path, const std::function<void(BlockWriter&)>& fill);

} // namespace rtl
