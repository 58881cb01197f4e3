#include "platform/rtl/Files.h"

#include "platform/rtl/Ini.h"
#include "platform/rtl/RecordFile.h"

#include "TempFolder.h"
#include "tests/support/Accounts.h"
#include "tests/support/Bounded.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
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

namespace {

// A link at `link` to `target`, belonging to `owner`.
void LinkOf(uid_t owner, const std::string& target, const std::string& link) {
    std::filesystem::remove(link);
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(::lchown(link.c_str(), owner, owner), 0);
}

} // namespace

// Inside the data folder a link is followed only when it belongs to the user
// running the program or to root: one that another user of the share put in
// place, into a folder only this user may enter, is refused by every read
// and write, and the file it names keeps its bytes. Run as a plain user.
TEST(Files, ALinkOfAnotherUserIsNeverFollowedInsideTheDataFolder) {
    constexpr uid_t kOther = 61001, kMe = 61002;
    TempFolder tmp;
    if (const std::string why = ts::OtherUsersRefused(tmp.Path()); !why.empty()) GTEST_SKIP() << why;
    const std::string data = tmp / "data", priv = tmp / "private";
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(priv + "/foto");
    TempFolder::Put(priv + "/segreto", "SEGRETO!");
    TempFolder::Put(priv + "/foto/a.jpg", "JPEG");
    TempFolder::Put(data + "/src", "COPIA");
    for (const std::string& own : {priv, priv + "/foto", priv + "/segreto", priv + "/foto/a.jpg", data})
        ASSERT_EQ(::chown(own.c_str(), kMe, kMe), 0);
    ::chmod(priv.c_str(), 0700);
    ::chmod(tmp.Path().c_str(), 0755);
    LinkOf(kOther, priv + "/foto", data + "/Autoparco");
    LinkOf(kOther, tmp.Path() + "data", tmp / "condivisa"); // the data folder itself: a mounted share

    const struct {
        const char* what;
        bool writes;
        std::function<void(const std::string& link)> use;
    } uses[] = {
        {"whole file", true, [](const std::string& l) { WriteWholeFile(l, "x"); }},
        {"in blocks", true,
         [](const std::string& l) { WriteFileInBlocks(l, [](BlockWriter& w) { w.Write("x"); }); }},
        {"copy", true, [&](const std::string& l) { CopyFile(data + "/src", l); }},
        {"archive", true,
         [](const std::string& l) { RecordFile(l, 4).Append(std::vector<std::uint8_t>(4, 'R')); }},
        {"settings write", true, [](const std::string& l) { IniFile(l).WriteString("A", "k", "v"); }},
        {"read", false, [](const std::string& l) { ReadWholeFile(l); }},
        {"read if there", false, [](const std::string& l) { ReadFileIfExists(l); }},
        {"archive read", false, [](const std::string& l) { RecordFile(l, 4).Count(); }},
        {"settings read", false, [](const std::string& l) { IniFile(l).ReadString("A", "k"); }},
    };
    const std::string link = data + "/Parco_Automezzi.xls";
    for (const uid_t owner : {kOther, kMe, uid_t(0)}) {
        LinkOf(owner, priv + "/segreto", link);
        const bool followed = owner != kOther;
        ts::Bounded([&] {
            ts::BecomeUser(kMe, kMe);
            SetDataFolderForTesting(data);
            for (const auto& u : uses) {
                TempFolder::Put(priv + "/segreto", "SEGRETO!");
                if (followed) {
                    EXPECT_NO_THROW(u.use(link)) << u.what << ", link of " << owner;
                    if (u.writes) {
                        EXPECT_NE(TempFolder::Get(priv + "/segreto"), "SEGRETO!") << u.what;
                    }
                } else {
                    EXPECT_THROW(u.use(link), FileError) << u.what;
                    EXPECT_EQ(TempFolder::Get(priv + "/segreto"), "SEGRETO!") << u.what;
                }
                EXPECT_TRUE(std::filesystem::is_symlink(link)) << u.what;
            }
            // A folder of the data folder that is a link of another user.
            if (!followed) {
                EXPECT_THROW(WriteWholeFile(data + "/Autoparco/Scheda_Veicolo_4.jpg", "x"), FileError);
                EXPECT_THROW(ReadWholeFile(data + "/Autoparco/a.jpg"), FileError);
                EXPECT_THROW(ListFiles(data + "/Autoparco"), FileError);
            }
            // The data folder itself may be anybody's link.
            SetDataFolderForTesting(tmp / "condivisa");
            EXPECT_NO_THROW(WriteWholeFile(tmp / "condivisa/nuovo.ini", "ok"));
            EXPECT_EQ(ReadWholeFile(tmp / "condivisa/nuovo.ini"), "ok");
        });
    }
    EXPECT_EQ(TempFolder::Get(priv + "/foto/a.jpg"), "JPEG");
    EXPECT_EQ(ListFiles(priv + "/foto"), std::vector<std::string>{"a.jpg"});
}

// A writer stopped in the middle of a write leaves its temporary file; the
// next writer in that folder removes those older than a day, and nothing
// else: not a newer one (a write going on elsewhere), not another name, not
// a link or a folder of that name.
TEST(Files, TemporaryFilesOlderThanADayAreRemovedByTheNextWriter) {
    TempFolder tmp;
    const auto old = [](const std::string& path) {
        const timespec times[2] = {{std::time(nullptr) - 2 * 24 * 3600, 0},
                                   {std::time(nullptr) - 2 * 24 * 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
    };
    for (const char* name : {".dorneval-123-4.tmp", ".dorneval-9-0.tmp"}) {
        TempFolder::Put(tmp / name, "partial");
        old(tmp / name);
    }
    TempFolder::Put(tmp / ".dorneval-77-1.tmp", "being written"); // recent
    for (const char* name :
         {".dorneval-x-1.tmp", "dorneval-1-1.tmp", ".dorneval-1-1.tmp.bak", ".dorneval-1.tmp"}) {
        TempFolder::Put(tmp / name, "other");
        old(tmp / name);
    }
    TempFolder::Put(tmp / "target", "kept");
    std::filesystem::create_symlink(tmp / "target", tmp / ".dorneval-5-5.tmp");
    old(tmp / ".dorneval-5-5.tmp");
    std::filesystem::create_directory(tmp / ".dorneval-6-6.tmp");
    old(tmp / ".dorneval-6-6.tmp");

    WriteWholeFile(tmp / "Fogli_di_Marcia.ini", "[A]");
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(tmp.Path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".dorneval-1-1.tmp.bak", ".dorneval-1.tmp", ".dorneval-5-5.tmp",
                                              ".dorneval-6-6.tmp", ".dorneval-77-1.tmp", ".dorneval-x-1.tmp",
                                              "Fogli_di_Marcia.ini", "dorneval-1-1.tmp", "target"}));
    EXPECT_EQ(TempFolder::Get(tmp / "target"), "kept");
}
