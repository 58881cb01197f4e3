#include "platform/rtl/Files.h"

#include "TempFolder.h"
#include "tests/support/Bounded.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace rtl;

TEST(DataFolder, IsTheFolderOfTheExecutableUnlessATestMovesIt) {
    const std::string folder = DataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "test_rtl")); // this very program
    EXPECT_EQ(DataPath("Conducenti.pro"), folder + "Conducenti.pro");

    SetDataFolderForTesting("/tmp/somewhere");
    EXPECT_EQ(DataFolder(), "/tmp/somewhere/");
    EXPECT_EQ(DataPath("x.ini"), "/tmp/somewhere/x.ini");
    SetDataFolderForTesting("/tmp/other/");
    EXPECT_EQ(DataFolder(), "/tmp/other/");
    ResetDataFolder();
    EXPECT_EQ(DataFolder(), folder);
}

TEST(Files, ExistenceAndFolders) {
    TempFolder tmp;
    TempFolder::Put(tmp / "file", "x");
    EXPECT_TRUE(FileExists(tmp / "file"));
    EXPECT_FALSE(FolderExists(tmp / "file"));
    EXPECT_FALSE(FileExists(tmp.Path()));
    EXPECT_TRUE(FolderExists(tmp.Path()));
    EXPECT_FALSE(FileExists(tmp / "missing"));

    CreateFolders(tmp / "a/b/c");
    EXPECT_TRUE(FolderExists(tmp / "a/b/c"));
    EXPECT_NO_THROW(CreateFolders(tmp / "a/b")); // already there
    EXPECT_THROW(CreateFolders(tmp / "file"), FileError);
    EXPECT_THROW(CreateFolders(tmp / "file/sub"), FileError);

    TempFolder::Put(tmp / "b", "");
    TempFolder::Put(tmp / "a.txt", "");
    EXPECT_EQ(ListFiles(tmp.Path()), (std::vector<std::string>{"a.txt", "b", "file"})); // no folders
    EXPECT_THROW(ListFiles(tmp / "missing"), FileError);

    EXPECT_TRUE(DeleteFile(tmp / "b"));
    EXPECT_FALSE(FileExists(tmp / "b"));
    EXPECT_FALSE(DeleteFile(tmp / "b"));
}

TEST(Files, WholeFileWriteReplacesAndReadsBackBytes) {
    TempFolder tmp;
    const std::string bytes("a\0b\r\n\xE8\xFF", 7);
    WriteWholeFile(tmp / "f.bin", bytes);
    EXPECT_EQ(TempFolder::Get(tmp / "f.bin"), bytes);
    EXPECT_EQ(ReadWholeFile(tmp / "f.bin"), bytes);
    WriteWholeFile(tmp / "f.bin", "short");
    EXPECT_EQ(ReadWholeFile(tmp / "f.bin"), "short");
    // No temporary file is left behind.
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"f.bin"});

    EXPECT_THROW(ReadWholeFile(tmp / "missing"), FileError);
    // Paths that cannot be written, not even by root: below a regular file,
    // and a folder in place of the file.
    EXPECT_THROW(WriteWholeFile(tmp / "f.bin/x", "data"), FileError);
    CreateFolders(tmp / "dir");
    EXPECT_THROW(WriteWholeFile(tmp / "dir", "data"), FileError);
    EXPECT_TRUE(FolderExists(tmp / "dir"));
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"f.bin"});
}

// A file written in blocks far larger than one block (its first parts
// handed to the disk while the rest is written): single bytes, short pieces
// and pieces longer than a block, every byte in its place; a shorter file
// written over it leaves nothing of the longer one.
TEST(Files, FileInBlocksHoldsEveryByteInOrder) {
    TempFolder tmp;
    const std::string path = tmp / "export.xls";
    std::string expected;
    WriteFileInBlocks(path, [&](BlockWriter& w) {
        unsigned seed = 7;
        while (expected.size() < (std::size_t(21) << 20)) {
            seed = seed * 1103515245u + 12345u;
            const char c = char('a' + (seed >> 16) % 26);
            switch ((seed >> 8) % 4) {
            case 0:
                w.Write(c);
                expected += c;
                break;
            case 1: {
                const std::string piece((seed >> 4) % 300, c);
                w.Write(piece);
                expected += piece;
                break;
            }
            case 2: {
                // Formatted straight into the block.
                const std::size_t n = (seed >> 4) % 200;
                char* room = w.Room(n + 10);
                std::memset(room, c, n);
                w.Advance(n);
                expected.append(n, c);
                break;
            }
            default: {
                std::string piece((std::size_t(1) << 20) + (seed >> 4) % 5000, c);
                piece.front() = '<';
                piece.back() = '>';
                w.Write(piece);
                expected += piece;
            }
            }
        }
    });
    EXPECT_TRUE(ReadWholeFile(path) == expected);
    WriteFileInBlocks(path, [](BlockWriter& w) { w.Write("short"); });
    EXPECT_EQ(ReadWholeFile(path), "short");
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"export.xls"});
}

// A large file replaced: the new content is in place as the write returns,
// a reader of the old one still reads it whole, and the old file's second
// name, which its removal after the rename takes, is soon gone too.
TEST(Files, ALargeReplacedFileLeavesNothingBehind) {
    TempFolder tmp;
    const std::string path = tmp / "export.xls";
    const std::string old((std::size_t(65) << 20) + 5, 'o');
    TempFolder::Put(path, old);
    std::ifstream reader(path, std::ios::binary);
    WriteFileInBlocks(path, [](BlockWriter& w) { w.Write("new"); });
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(reader), {}) == old);
    for (int i = 0; i < 1000 && ListFiles(tmp.Path()).size() > 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"export.xls"});
}

// A program that ends right after replacing a large file waits for the old
// one's removal: nothing of it is left behind.
TEST(Files, AProgramEndingRightAfterAReplaceLeavesNoOldFile) {
    TempFolder tmp;
    const std::string path = tmp / "export.xls";
    TempFolder::Put(path, std::string((std::size_t(65) << 20) + 5, 'o'));
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WriteFileInBlocks(path, [](BlockWriter& w) { w.Write("new"); });
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(TempFolder::Get(path), "new");
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"export.xls"});
}

TEST(Files, CopyOverwritesButNeverDamagesItsTarget) {
    TempFolder tmp;
    TempFolder::Put(tmp / "src.pdf", std::string(3 << 20, 'S') + "end"); // several copy blocks
    TempFolder::Put(tmp / "dst.pdf", "old content");
    CopyFile(tmp / "src.pdf", tmp / "dst.pdf");
    EXPECT_EQ(TempFolder::Get(tmp / "dst.pdf"), TempFolder::Get(tmp / "src.pdf"));

    // Onto itself, under several spellings of its path.
    TempFolder::Put(tmp / "self.txt", "keep me");
    CreateFolders(tmp / "sub");
    for (const std::string& other :
         {tmp / "self.txt", tmp / "./self.txt", tmp.Path() + "/self.txt", tmp / "sub/../self.txt"}) {
        CopyFile(tmp / "self.txt", other);
        EXPECT_EQ(TempFolder::Get(tmp / "self.txt"), "keep me") << other;
    }
    std::filesystem::create_hard_link(tmp / "self.txt", tmp / "link.txt");
    CopyFile(tmp / "link.txt", tmp / "self.txt");
    EXPECT_EQ(TempFolder::Get(tmp / "self.txt"), "keep me");

    // A failed copy leaves the target as it was.
    EXPECT_THROW(CopyFile(tmp / "missing", tmp / "dst.pdf"), FileError);
    EXPECT_THROW(CopyFile(tmp / "self.txt", tmp / "dst.pdf/x"), FileError);
    EXPECT_THROW(CopyFile(tmp / "sub", tmp / "dst.pdf"), FileError);
    EXPECT_EQ(TempFolder::Get(tmp / "dst.pdf"), TempFolder::Get(tmp / "src.pdf"));

    CopyFile(tmp / "self.txt", tmp / "sub/new.txt"); // a target that does not exist yet
    EXPECT_EQ(TempFolder::Get(tmp / "sub/new.txt"), "keep me");
}

// The temporary file beside the target has a short name of its own, so a
// target whose name is as long as the folder allows is written and copied.
TEST(Files, NamesAsLongAsTheFolderAllowsAreWrittenAndCopied) {
    TempFolder tmp;
    for (const std::size_t length : {200u, 245u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".pdf";
        WriteWholeFile(tmp / name, "first");
        EXPECT_EQ(TempFolder::Get(tmp / name), "first") << length;
        TempFolder::Put(tmp / "src", "copied");
        CopyFile(tmp / "src", tmp / name);
        EXPECT_EQ(TempFolder::Get(tmp / name), "copied") << length;
        std::filesystem::remove(tmp / name);
    }
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"src"});
}

// A FIFO read as a file would hold the open until someone writes into it:
// every read, and the copy from it, refuses it at once.
TEST(Files, AFifoIsNeverReadAsAFile) {
    TempFolder tmp;
    const std::string fifo = tmp / "Guida.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ts::Bounded([&] {
        EXPECT_THROW(ReadWholeFile(fifo), FileError);
        EXPECT_THROW(ReadFileIfExists(fifo), FileError);
        EXPECT_THROW(CopyFile(fifo, tmp / "copy.pdf"), FileError);
    });
    EXPECT_FALSE(std::filesystem::exists(tmp / "copy.pdf"));
}

// A link that leads nowhere (a share that is not mounted) is never replaced
// by a file of its own, whichever way a whole file is written.
TEST(Files, ALinkToNothingStaysALink) {
    TempFolder tmp;
    TempFolder::Put(tmp / "src", "data");
    const std::string link = tmp / "out.xls";
    std::filesystem::create_symlink(tmp / "share/out.xls", link);
    const struct {
        const char* what;
        std::function<void()> write;
    } writes[] = {
        {"whole file", [&] { WriteWholeFile(link, "x"); }},
        {"in blocks", [&] { WriteFileInBlocks(link, [](BlockWriter& w) { w.Write("x"); }); }},
        {"copy", [&] { CopyFile(tmp / "src", link); }},
    };
    for (const auto& w : writes) {
        EXPECT_THROW(w.write(), FileError) << w.what;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << w.what;
    }
    EXPECT_FALSE(std::filesystem::exists(tmp / "share"));
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"src"});
}
