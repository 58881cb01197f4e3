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

// The writer that WriteFileInBlocks hands out: bytes are gathered and reach
// the file in blocks of 1 MiB, and the disk is given them as they come.
// Failures raise FileError.
class BlockWriter {
public:
    void Write(std::string_view bytes) {
        if (bytes.size() <= sizeof block_ - used_) {
            std::memcpy(block_ + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            WriteLarge(bytes);
        }
    }
    void Write(char c) {
        if (used_ == sizeof block_) Flush();
        block_[used_++] = c;
    }

private:
    friend void WriteFileInBlocks(const std::string&, const std::function<void(BlockWriter&)>&);
    BlockWriter(int fd, const std::string& path) : fd_(fd), path_(path) {}
    void WriteLarge(std::string_view bytes);
    void Flush();

    // How much is written before it is handed to the disk (see Flush).
    static constexpr std::size_t kHandOver = std::size_t(8) << 20;

    int fd_;
    const std::string& path_;
    std::size_t used_ = 0;
    std::size_t written_ = 0; // bytes that reached the file
    std::size_t handed_ = 0;  // of them, handed to the disk
    char block_[1 << 20];
};

// Replaces the content of a file as WriteWholeFile does (a temporary file
// renamed over it, the old file left as it was on failure) with the bytes
// that `fill` hands to the writer: a long file is never held whole in memory.
void WriteFileInBlocks(const std::string& path, const std::function<void(BlockWriter&)>& fill);

} // namespace rtl
