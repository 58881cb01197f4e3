// Appends whose write or flush fails. The flush is made to fail by standing in
// for fsync in this program (the record file layer calls it by name); the
// write by a file size limit. Also a long file written in blocks whose write
// fails.
#include "platform/rtl/RecordFile.h"

#include "platform/rtl/Files.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {
int failingFsyncs = 0;
}

extern "C" int fsync(int fd) {
    if (failingFsyncs > 0) {
        --failingFsyncs;
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

using namespace rtl;

namespace {

std::vector<std::uint8_t> Rec(const std::string& s) {
    return {s.begin(), s.end()};
}

// Lowers the largest file this process may write for the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

} // namespace

TEST(RecordFileFaults, AFailedFlushLeavesTheArchiveAsItWasAndARetryAppendsOnce) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.pro";
    for (const std::string before : {"AAAABBBB", "AAAABBBBCC", ""}) {
        TempFolder::Put(path, before);
        {
            RecordFile f(path, 4);
            failingFsyncs = 1;
            EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
            EXPECT_EQ(failingFsyncs, 0);
            EXPECT_EQ(TempFolder::Get(path), before) << "after the failed append over \"" << before << "\"";
            f.Close();
        }
        EXPECT_EQ(TempFolder::Get(path), before);
        // Saving again stores the record once.
        RecordFile f(path, 4);
        EXPECT_EQ(f.Append(Rec("NNNN")), static_cast<std::int64_t>(before.size() / 4 + 1));
        f.Close();
        EXPECT_EQ(TempFolder::Get(path), before.substr(0, before.size() / 4 * 4) + "NNNN");
    }
}

TEST(RecordFileFaults, AFailedWriteLeavesTheArchiveAsItWas) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.pro";
    TempFolder::Put(path, "AAAABBBB");
    {
        RecordFile f(path, 4);
        {
            const FileSizeLimit limit(10); // room for half a record only
            EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
            EXPECT_EQ(TempFolder::Get(path), "AAAABBBB");
            // The next record written by number, past the end, likewise.
            f.Seek(2);
            EXPECT_THROW(f.Write(Rec("MMMM")), FileError);
            EXPECT_EQ(TempFolder::Get(path), "AAAABBBB");
        }
        EXPECT_EQ(f.Append(Rec("NNNN")), 3);
        f.Close();
    }
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBBNNNN");
}

// A rewrite over what the file holds whose flush or write fails puts the
// record back as it was, also one that was cut short and was growing.
TEST(RecordFileFaults, AFailedUpdateLeavesTheRecordAsItWas) {
    TempFolder tmp;
    const std::string path = tmp / "a.pln";
    for (const std::string before : {"AAAABBBBtail", "AAAABB", "AAAA"}) {
        for (const bool flush : {true, false}) {
            TempFolder::Put(path, before);
            RecordFile f(path, 4);
            std::vector<std::uint8_t> r(4);
            const auto merge = [&](std::size_t) { std::fill(r.begin(), r.end(), std::uint8_t{'N'}); };
            if (flush) {
                failingFsyncs = 1;
                EXPECT_THROW(f.Update(1, r, merge), FileError);
                EXPECT_EQ(failingFsyncs, 0);
            } else {
                const FileSizeLimit limit(6); // the record cannot grow past byte 6
                if (before.size() >= 8) continue;
                EXPECT_THROW(f.Update(1, r, merge), FileError);
            }
            EXPECT_EQ(TempFolder::Get(path), before) << "after the failed update of \"" << before << "\"";
            f.Close();
            EXPECT_EQ(TempFolder::Get(path), before);
        }
    }
}

// A first save that cannot be written (a full disk) leaves no new archive
// behind, by append or by number alike; an archive that was there before,
// even empty, stays.
TEST(RecordFileFaults, AFailedFirstSaveLeavesNoNewFileBehind) {
    TempFolder tmp;
    const std::string path = tmp / "2024.vis";
    for (const bool append : {true, false}) {
        {
            RecordFile f(path, 4);
            const FileSizeLimit limit(2);
            if (append) {
                EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
            } else {
                f.Seek(0);
                EXPECT_THROW(f.Write(Rec("NNNN")), FileError);
            }
        }
        EXPECT_FALSE(std::filesystem::exists(path)) << (append ? "append" : "by number");
    }
    TempFolder::Put(path, "");
    {
        RecordFile f(path, 4);
        const FileSizeLimit limit(2);
        EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
    }
    EXPECT_EQ(TempFolder::Get(path), "");
}

// An archive that this program created to read it (a window showing a year
// that has none yet) and whose first save then fails goes away as well while
// it is still empty; once written, a failed save leaves it.
TEST(RecordFileFaults, AnArchiveCreatedToBeReadGoesAwayWhenItsFirstSaveFails) {
    TempFolder tmp;
    const std::string path = tmp / "2024.fdm";
    RecordFile(path, 4).Close();
    ASSERT_EQ(TempFolder::Get(path), "");
    {
        RecordFile f(path, 4);
        const FileSizeLimit limit(2);
        EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    RecordFile(path, 4).Close();
    RecordFile(path, 4).Append(Rec("AAAA"));
    {
        RecordFile f(path, 4);
        const FileSizeLimit limit(6);
        EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
    }
    EXPECT_EQ(TempFolder::Get(path), "AAAA");
}

// Another workstation that opened the new archive before a failed first save
// took it away writes into the archive the folder holds, never into the
// removed file, where its record would be lost.
TEST(RecordFileFaults, AWriterWhoseNewArchiveWasTakenAwayWritesIntoTheArchive) {
    TempFolder tmp;
    const std::string path = tmp / "2024.vis";
    RecordFile failing(path, 4);
    RecordFile appender(path, 4);
    RecordFile rewriter(path, 4);
    {
        const FileSizeLimit limit(2);
        EXPECT_THROW(failing.Append(Rec("NNNN")), FileError);
    }
    ASSERT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(appender.Append(Rec("AAAA")), 1);
    appender.Close();
    rewriter.Seek(0);
    rewriter.Write(Rec("BBBB"));
    rewriter.Close();
    EXPECT_EQ(TempFolder::Get(path), "BBBB");
}

// The blocks of a long file are written by a thread of their own: a block
// that cannot be written fails the whole write, and the old file stays.
TEST(RecordFileFaults, AFailedFileInBlocksLeavesTheOldFile) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.xls";
    TempFolder::Put(path, "old export");
    {
        FileSizeLimit limit(3 << 20);
        EXPECT_THROW(WriteFileInBlocks(path,
                                       [](BlockWriter& w) {
                                           const std::string block(std::size_t(1) << 20, 'x');
                                           for (int i = 0; i < 10; ++i)
                                               w.Write(block);
                                       }),
                     FileError);
    }
    EXPECT_EQ(TempFolder::Get(path), "old export");
    EXPECT_EQ(ListFiles(tmp.Path()), std::vector<std::string>{"Parco_Automezzi.xls"});
}
