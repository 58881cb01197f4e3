#pragma once
// INI files: "[Section]" headers and "Key=Value" lines, stored in the
// windows-1252 code page, read and written one string at a time. Each call
// reads the file anew; nothing keeps it open.
//
// Several workstations may share the file: a write holds an exclusive
// advisory lock from its read of the file to the rename of the new one, so
// that two changes made at once both stay; a read holds the lock shared. A
// file that is not a regular file (a FIFO, a folder) is refused at once,
// never waited on.
//
// Section and key names match without regard to the case of A-Z, and blanks
// around names and values are ignored. A write changes only the line of its
// key (or adds one line, or a new section at the end); every other byte of the
// file stays as it was. Lines written carry CRLF line ends.
#include <memory>
#include <string>
#include <string_view>

namespace rtl {

class IniLock;

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The value of a key; `def` when the file, the section or the key is
    // missing. A file that exists but cannot be read raises FileError.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;

    // Sets the value of a key, creating the file, the section or the key as
    // needed. The file is replaced through a temporary file and a rename, so
    // a failed write (raising FileError) leaves it as it was. A link is
    // written through to its file; a link that leads nowhere is refused.
    // Names and values holding a line break, a key holding "=" and a section
    // holding "]" are refused with FileError, since they would break the
    // file.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Holds the exclusive lock of the file while it lives, so that a value
    // read and a write that depends on it are one step for every other
    // process: ReadString and WriteString of this IniFile then take no lock
    // of their own. Raises FileError when the lock cannot be taken.
    class Update {
    public:
        explicit Update(IniFile& file);
        ~Update();
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;

    private:
        IniFile& file_;
        std::unique_ptr<IniLock> lock_;
    };

private:
    std::string path_;
    bool held_ = false; // an Update holds the lock
};

} // namespace rtl
