#pragma once
// Typed record files: a file of fixed-size records of one type, with no header;
// record k (from 1) starts at byte (k - 1) x size. Records are raw bytes.
//
// Opening never damages an archive: an existing file is opened for reading
// as it is, and opened again for writing at its first write, so that reading
// needs read permission only; only a file that does not exist is created,
// empty. An existing file that cannot be opened is a failure and is never
// recreated or truncated; so is a link that points nowhere (an unmounted
// share). A missing file that cannot be created (a folder the user may not
// write) is read as an empty archive, and its first write fails.
//
// Anything that is not a regular file (a FIFO, a device) is refused at the
// open, without waiting on it; inside the data folder, so is a link of
// another user (see Files.h).
//
// Several workstations may share the folder: every write takes an exclusive
// advisory lock on the whole file (an open file description lock, which also
// works over NFS; flock where those are refused) and releases it when done.
// Readers take no lock, except ReadPart, which reads under a shared lock a
// record that another workstation may be rewriting at that moment. A lock
// held elsewhere is awaited for a few seconds; then FileBusy is raised,
// nothing is written, and the file is closed.
//
// A first save that fails leaves no new file behind: when a write fails on
// an archive that this process created (for this write, or earlier, to read
// it) and that is still empty, the file is removed again (under the lock). A
// writer that then finds its file gone opens the archive anew before it
// writes.
//
// Every failure (open, short read or write, flush, close) raises FileError.
// The file is closed when the object is destroyed, on every path. Call Close()
// after writing to learn whether the data reached the file: the destructor
// closes too, but can only drop an error (it runs on failure paths).
#include "platform/rtl/Files.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace rtl {

class RecordFile {
public:
    RecordFile(std::string path, std::size_t recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const std::string& Path() const { return path_; }

    // Whole records in the file; a trailing fragment is not counted.
    std::int64_t Count() const;

    // The index (0-based) of the record the next Read or Write works on;
    // right after a Read or Write it is the 1-based number of that record.
    std::int64_t Position() const { return pos_; }
    // Moves to record index `index` (0 to Count(); Count() means the end).
    void Seek(std::int64_t index);

    // Reads the record at the position into `record` (exactly one record
    // long) and advances; reading past the last whole record raises.
    void Read(std::span<std::uint8_t> record);
    // Reads record index `index` (0-based) into `record` without asking the
    // file's size first (one read: what a step through the records uses);
    // a record past the last whole one raises. The position follows it.
    void ReadAt(std::int64_t index, std::span<std::uint8_t> record);
    // Reads the whole records from index `first` (0-based) that fit in
    // `records` (a multiple of the record size), in one read; returns how
    // many were read, fewer at the end of the file. The position follows them.
    std::size_t ReadRecords(std::int64_t first, std::span<std::uint8_t> records);
    // Writes `record` at the position (extending the file at the end) and
    // advances, under the lock. A failed write that was extending the file
    // cuts it back to its previous length.
    void Write(std::span<const std::uint8_t> record);

    // Under the lock: writes `record` at the end of the file as it is at this
    // moment, rounded down to whole records (a trailing fragment is
    // overwritten, a record that another workstation appended is not),
    // flushes it to the disk and releases the lock. Returns the 1-based
    // number of the record written; the position follows it. When the write
    // or the flush fails the file is cut back to its previous length before
    // the lock is released, so a retry never stores the record twice.
    std::int64_t Append(std::span<const std::uint8_t> record);

    // Under the lock: reads what the file holds of record `index` (0-based)
    // into `record` (exactly one record long): the whole record, or the bytes
    // of a record cut short at the end of the file, the rest of `record`
    // zeroed. Returns the number of bytes read (0 for a record at or past the
    // end). The position follows the record.
    std::size_t ReadPart(std::int64_t index, std::span<std::uint8_t> record);

    // Under the lock, as one step for other workstations: reads record
    // `index` as ReadPart does, calls `merge` with the number of bytes read so
    // that the caller changes `record`, and writes `record` back whole at
    // `index` (a record cut short grows to its full size; bytes after the
    // record stay as they are), flushed to the disk. The record may start at
    // most at the end of the file. When the write or the flush fails, the
    // record's old bytes are put back and the file cut back to its previous
    // length before the lock is released. The position follows the record.
    void Update(std::int64_t index, std::span<std::uint8_t> record,
                const std::function<void(std::size_t present)>& merge);

    // Holds the exclusive lock of the file for its lifetime, so that a check
    // of the count and the write that follows it are seen as one step by
    // other workstations. Nests; Write and Append inside it keep it.
    class Lock {
    public:
        explicit Lock(RecordFile& file);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        RecordFile& file_;
    };

    // Reads every whole record from the first, in order, in large buffered
    // blocks, and calls `each` with its 1-based number and bytes. The bytes are
    // valid only during the call. The position ends after the last record.
    void ForEach(const std::function<void(std::int64_t number, std::span<const std::uint8_t> record)>& each);

    // The same over `count` records from the 0-based `first` (all of them in
    // the file), with positioned reads that leave the position as it is:
    // several threads may each read a part of one file at once.
    void ForEachIn(
        std::int64_t first, std::int64_t count,
        const std::function<void(std::int64_t number, std::span<const std::uint8_t> record)>& each) const;

    // Flushes written data to the file and closes it; raises on failure.
    // Further operations raise.
    void Close();

private:
    // Opens the file for reading, or for reading and writing, creating it
    // when it does not exist.
    void Open(bool forWriting);
    // Reads the records of ForEachIn, telling `at` each one's number first.
    void ReadRange(std::int64_t first, std::int64_t count,
                   const std::function<void(std::int64_t, std::span<const std::uint8_t>)>& each,
                   std::int64_t* at) const;
    // Raises FileError once the file is closed.
    void CheckOpen() const;
    void Check(std::size_t length) const;
    std::int64_t Bytes() const;
    void Acquire(bool exclusive);
    void Release() noexcept;
    // Under the lock: written data to the disk, and what a network file
    // system could not store reported; raises FileError.
    void FlushLocked();
    // Whether the path still names the file that is open.
    bool StillNamed() const;
    // Removes the file when this object created it and it is still empty.
    void ForgetIfCreatedEmpty() noexcept;

    int locks_ = 0; // nesting depth of Lock
    bool lockedExclusive_ = false;
    bool lockedByFlock_ = false;

    std::string path_;
    std::size_t size_;
    int fd_ = -1;
    bool writable_ = false; // fd_ is open for writing
    bool absent_ = false;   // no file, none can be created: read as empty
    bool created_ = false;  // this process created the file
    std::int64_t pos_ = 0;
    bool written_ = false;
};

} // namespace rtl
