#include "platform/rtl/RecordFile.h"

#include "TempFolder.h"
#include "tests/support/Accounts.h"
#include "tests/support/Bounded.h"
#include "tests/support/LockHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace rtl;

namespace {

std::vector<std::uint8_t> Rec(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string Text(const std::vector<std::uint8_t>& r) {
    return {r.begin(), r.end()};
}

int OpenDescriptors() {
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    while (readdir(d))
        ++n;
    closedir(d);
    return n;
}

} // namespace

TEST(RecordFile, CreatesOnlyAMissingFile) {
    TempFolder tmp;
    const std::string path = tmp / "new.pro";
    {
        RecordFile f(path, 4);
        EXPECT_EQ(f.Count(), 0);
        f.Close();
    }
    EXPECT_EQ(TempFolder::Get(path), "");

    // An existing archive, fragment included, is opened as it is.
    TempFolder::Put(path, "AAAABBBBCC");
    {
        RecordFile f(path, 4);
        EXPECT_EQ(f.Count(), 2);
        f.Close();
    }
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBBCC");
}

TEST(RecordFile, AnArchiveThatCannotBeOpenedIsNeverRecreated) {
    TempFolder tmp;
    CreateFolders(tmp / "Parco_Automezzi.pro"); // exists, but cannot be opened as a file
    TempFolder::Put(tmp / "plain", "x");
    for (const std::string& path : {tmp / "Parco_Automezzi.pro", tmp / "plain/Conducenti.pro"}) {
        try {
            RecordFile f(path, 4);
            ADD_FAILURE() << "opened " << path;
        } catch (const FileError& e) {
            EXPECT_EQ(e.Path(), path);
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        }
    }
    EXPECT_TRUE(FolderExists(tmp / "Parco_Automezzi.pro"));
    EXPECT_EQ(TempFolder::Get(tmp / "plain"), "x");
}

// A link that points nowhere (a share that is not mounted) is an access
// failure at once: never looped over, never created through the link.
TEST(RecordFile, ALinkToNothingFailsAtOnceAndCreatesNothing) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.pro";
    const std::string target = tmp / "share/Parco_Automezzi.pro";
    std::filesystem::create_symlink(target, path);
    const auto start = std::chrono::steady_clock::now();
    try {
        RecordFile f(path, 4);
        ADD_FAILURE() << "opened a link to nothing";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_FALSE(std::filesystem::exists(tmp / "share"));
    EXPECT_TRUE(std::filesystem::is_symlink(path));

    // A link to an archive that is there is opened as the archive.
    std::filesystem::create_directory(tmp / "share");
    TempFolder::Put(target, "AAAA");
    RecordFile f(path, 4);
    EXPECT_EQ(f.Append(Rec("BBBB")), 2);
    f.Close();
    EXPECT_EQ(TempFolder::Get(target), "AAAABBBB");
}

// A FIFO in the archive's place would wait forever for records that never
// come: it is refused at the open and left as it is.
TEST(RecordFile, AFifoIsNoArchive) {
    TempFolder tmp;
    const std::string path = tmp / "2024.vis";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    ts::Bounded([&] {
        try {
            RecordFile f(path, 4);
            f.Count();
            ADD_FAILURE() << "opened a FIFO";
        } catch (const FileError& e) {
            EXPECT_EQ(e.Path(), path);
        }
    });
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(RecordFile, RecordsLieBackToBackAtTheirNumbers) {
    TempFolder tmp;
    const std::string path = tmp / "a.pro";
    RecordFile f(path, 4);
    EXPECT_EQ(f.Append(Rec("AAAA")), 1);
    EXPECT_EQ(f.Append(Rec("BBBB")), 2);
    EXPECT_EQ(f.Append(Rec("CCCC")), 3);
    f.Seek(1);
    f.Write(Rec("bbbb"));
    EXPECT_EQ(f.Position(), 2); // the number of the record just written
    f.Seek(3);
    f.Write(Rec("DDDD")); // at the end: extends the file
    EXPECT_EQ(f.Count(), 4);
    f.Seek(0);
    std::vector<std::uint8_t> r(4);
    f.Read(r);
    EXPECT_EQ(Text(r), "AAAA");
    f.Read(r);
    EXPECT_EQ(Text(r), "bbbb");
    EXPECT_EQ(f.Position(), 2);
    f.Close();
    EXPECT_EQ(TempFolder::Get(path), "AAAAbbbbCCCCDDDD");
}

TEST(RecordFile, ShortReadsAndBadPositionsFail) {
    TempFolder tmp;
    const std::string path = tmp / "a.pro";
    TempFolder::Put(path, "AAAABBBBCC");
    RecordFile f(path, 4);
    std::vector<std::uint8_t> r(4);
    f.Seek(2);
    EXPECT_THROW(f.Read(r), FileError); // only a fragment is there
    EXPECT_THROW(f.Seek(3), FileError);
    EXPECT_THROW(f.Seek(-1), FileError);
    std::vector<std::uint8_t> wrong(5);
    EXPECT_THROW(f.Read(wrong), std::invalid_argument);
    EXPECT_THROW(f.Write(wrong), std::invalid_argument);
    f.Close();
    EXPECT_THROW(f.Read(r), FileError);
    EXPECT_THROW(f.Count(), FileError);
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBBCC");

    RecordFile empty(tmp / "empty.pro", 4);
    EXPECT_THROW(empty.Read(r), FileError);
}

TEST(RecordFile, AppendWritesAtTheEndOfFileAsItIsNow) {
    TempFolder tmp;
    const std::string path = tmp / "a.pro";
    TempFolder::Put(path, "AAAABBBBCC"); // a record cut short at the end
    // Two workstations with the archive open at once.
    RecordFile one(path, 4), two(path, 4);
    EXPECT_EQ(one.Append(Rec("1111")), 3); // over the fragment
    EXPECT_EQ(two.Append(Rec("2222")), 4); // after the record the other appended
    EXPECT_EQ(one.Append(Rec("3333")), 5);
    EXPECT_EQ(one.Position(), 5);
    one.Close();
    two.Close();
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBB111122223333");
}

TEST(RecordFile, ReadPartGivesWhatTheFileHoldsOfARecord) {
    TempFolder tmp;
    const std::string path = tmp / "a.pln";
    TempFolder::Put(path, "AAAABBBBCC"); // a record cut short at the end
    struct Case {
        std::int64_t index;
        std::size_t read;
        std::string record;
    } cases[] = {
        {0, 4, "AAAA"},
        {1, 4, "BBBB"},
        {2, 2, std::string("CC\0\0", 4)},
        {3, 0, std::string(4, '\0')},
        {7, 0, std::string(4, '\0')},
    };
    RecordFile f(path, 4);
    for (const Case& c : cases) {
        std::vector<std::uint8_t> r = Rec("xxxx"); // nothing of an earlier content stays
        EXPECT_EQ(f.ReadPart(c.index, r), c.read) << c.index;
        EXPECT_EQ(Text(r), c.record) << c.index;
        EXPECT_EQ(f.Position(), c.index + 1) << c.index;
    }
    std::vector<std::uint8_t> r(4), wrong(5);
    EXPECT_THROW(f.ReadPart(-1, r), FileError);
    EXPECT_THROW(f.ReadPart(0, wrong), std::invalid_argument);
    f.Close();
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBBCC");
}

// The caller's merge sees the record as the file holds it at that moment
// (another workstation may have rewritten it since this one read it) and
// what it leaves is written whole; records before and bytes after it stay.
TEST(RecordFile, UpdateRewritesARecordOverWhatTheFileHoldsNow) {
    TempFolder tmp;
    const std::string path = tmp / "a.pln";
    struct Case {
        std::string before;
        std::int64_t index;
        std::size_t present;
        std::string seen, after;
    } cases[] = {
        {"AAAABBBBCCCCtail", 1, 4, "BBBB", "AAAAbBBZCCCCtail"},
        {"AAAA", 0, 4, "AAAA", "aAAZ"},
        {"AAAABB", 1, 2, std::string("BB\0\0", 4),
         std::string("AAAAbB\0Z", 8)}, // cut short: grows to a record
        {"AAAA", 1, 0, std::string(4, '\0'), std::string("AAAA\0\0\0Z", 8)},
        {"", 0, 0, std::string(4, '\0'), std::string("\0\0\0Z", 4)},
        {"A", 0, 1, std::string("A\0\0\0", 4), std::string("a\0\0Z", 4)},
    };
    for (const Case& c : cases) {
        TempFolder::Put(path, c.before);
        RecordFile f(path, 4);
        std::vector<std::uint8_t> r = Rec("stale");
        r.resize(4);
        f.Update(c.index, r, [&](std::size_t present) {
            EXPECT_EQ(present, c.present) << c.before;
            EXPECT_EQ(Text(r), c.seen) << c.before;
            // A merge that changes the first byte (lower case) and sets the last one.
            if (r[0] >= 'A' && r[0] <= 'Z') r[0] = static_cast<std::uint8_t>(r[0] - 'A' + 'a');
            r[3] = 'Z';
        });
        EXPECT_EQ(f.Position(), c.index + 1);
        f.Close();
        EXPECT_EQ(TempFolder::Get(path), c.after) << c.before;
    }
    // A record past the end of the file (a hole before it) and a merge that
    // raises write nothing.
    TempFolder::Put(path, "AAAA");
    RecordFile f(path, 4);
    std::vector<std::uint8_t> r(4);
    EXPECT_THROW(f.Update(2, r, [](std::size_t) { ADD_FAILURE(); }), FileError);
    EXPECT_THROW(f.Update(-1, r, [](std::size_t) { ADD_FAILURE(); }), FileError);
    EXPECT_THROW(f.Update(0, r,
                          [&](std::size_t) {
                              r[0] = 'X';
                              throw std::runtime_error("merge");
                          }),
                 std::runtime_error);
    f.Close();
    EXPECT_EQ(TempFolder::Get(path), "AAAA");
}

TEST(RecordFile, ForEachPassesEveryWholeRecordInOrder) {
    TempFolder tmp;
    const std::string path = tmp / "2025.vis";
    constexpr std::size_t size = 1366;
    const int count = 2000; // about 2.7 MB: several read blocks
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        std::string rec(size, static_cast<char>('a' + i % 26));
        std::memcpy(rec.data(), &i, sizeof i);
        bytes += rec;
    }
    TempFolder::Put(path, bytes + "fragment");
    RecordFile f(path, size);
    std::int64_t expected = 1;
    f.ForEach([&](std::int64_t number, std::span<const std::uint8_t> rec) {
        ASSERT_EQ(number, expected);
        ASSERT_EQ(rec.size(), size);
        int i;
        std::memcpy(&i, rec.data(), sizeof i);
        ASSERT_EQ(i + 1, number);
        ASSERT_EQ(rec[size - 1], static_cast<std::uint8_t>('a' + i % 26));
        ++expected;
    });
    EXPECT_EQ(expected, count + 1);
    EXPECT_EQ(f.Position(), count);

    RecordFile empty(tmp / "empty.pro", size);
    empty.ForEach([](std::int64_t, std::span<const std::uint8_t>) { ADD_FAILURE(); });
}

// Parts of a file read by several threads at once: each part passes its
// records with their numbers, in order, and the position stays where it was;
// a part past the end fails.
TEST(RecordFile, PartsReadAtOnceLeaveThePositionAlone) {
    TempFolder tmp;
    const std::string path = tmp / "2025.vis";
    constexpr std::size_t size = 1366;
    const int count = 1000; // several read blocks per part
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        std::string rec(size, 'x');
        std::memcpy(rec.data(), &i, sizeof i);
        bytes += rec;
    }
    TempFolder::Put(path, bytes);
    RecordFile f(path, size);
    std::vector<std::uint8_t> r(size);
    f.ReadAt(7, r);
    const std::int64_t position = f.Position();
    const std::pair<std::int64_t, std::int64_t> parts[] = {
        {0, 400}, {400, 400}, {800, 200}, {999, 1}, {5, 0}};
    std::vector<std::vector<std::int64_t>> seen(std::size(parts));
    std::vector<std::thread> threads;
    for (std::size_t p = 0; p < std::size(parts); ++p)
        threads.emplace_back([&, p] {
            f.ForEachIn(parts[p].first, parts[p].second,
                        [&](std::int64_t number, std::span<const std::uint8_t> rec) {
                            int i;
                            std::memcpy(&i, rec.data(), sizeof i);
                            seen[p].push_back(i + 1 == number ? number : -number);
                        });
        });
    for (std::thread& t : threads)
        t.join();
    for (std::size_t p = 0; p < std::size(parts); ++p) {
        std::vector<std::int64_t> expected(std::size_t(parts[p].second));
        for (std::size_t k = 0; k < expected.size(); ++k)
            expected[k] = parts[p].first + std::int64_t(k) + 1;
        EXPECT_EQ(seen[p], expected) << "part " << p;
    }
    EXPECT_EQ(f.Position(), position);
    EXPECT_THROW(f.ForEachIn(990, 20, [](std::int64_t, std::span<const std::uint8_t>) {}), FileError);
}

TEST(RecordFile, ClosedOnEveryPath) {
    TempFolder tmp;
    const std::string path = tmp / "a.pro";
    TempFolder::Put(path, "AAAA");
    const int before = OpenDescriptors();
    try {
        RecordFile f(path, 4);
        EXPECT_EQ(OpenDescriptors(), before + 1);
        std::vector<std::uint8_t> r(4);
        f.Seek(1);
        f.Read(r); // past the end: raises
        ADD_FAILURE();
    } catch (const FileError&) {
    }
    EXPECT_EQ(OpenDescriptors(), before);
    try {
        RecordFile f(path, 4);
        f.ForEach([](std::int64_t, std::span<const std::uint8_t>) { throw std::runtime_error("stop"); });
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(OpenDescriptors(), before);
    {
        RecordFile f(path, 4);
        f.Close();
        EXPECT_EQ(OpenDescriptors(), before);
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

// Two real processes append to one archive at once, each opening it for every
// append as a save does: every record is there, whole, once, at the number
// its append returned.
TEST(RecordFile, TwoProcessesAppendingAtOnceLoseNothing) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.pro";
    constexpr int kPerProcess = 400;
    constexpr std::size_t kSize = 64;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            char go;
            ::close(start[1]);
            if (::read(start[0], &go, 1) != 0) _exit(3); // both start when the pipe closes
            int status = 0;
            try {
                for (int i = 0; i < kPerProcess; ++i) {
                    std::string text = "w" + std::to_string(w) + "-" + std::to_string(i) + "|";
                    text.resize(kSize, static_cast<char>('a' + w));
                    RecordFile f(path, kSize);
                    const std::int64_t n = f.Append(Rec(text));
                    // The number returned holds this record.
                    std::vector<std::uint8_t> back(kSize);
                    f.Seek(n - 1);
                    f.Read(back);
                    if (Text(back) != text) status = 1;
                    f.Close();
                }
            } catch (...) {
                status = 2;
            }
            _exit(status);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const std::string bytes = TempFolder::Get(path);
    ASSERT_EQ(bytes.size(), 2 * kPerProcess * kSize);
    std::set<std::string> seen;
    for (std::size_t at = 0; at < bytes.size(); at += kSize) {
        const std::string rec = bytes.substr(at, kSize);
        const std::string key = rec.substr(0, rec.find('|'));
        const char fill = key.rfind("w1", 0) == 0 ? 'b' : 'a';
        EXPECT_EQ(rec.find_first_not_of(fill, key.size() + 1), std::string::npos)
            << "torn record " << at / kSize + 1;
        EXPECT_TRUE(seen.insert(key).second) << "twice: " << key;
    }
    EXPECT_EQ(seen.size(), 2u * kPerProcess);
}

// Two real processes rewrite one record at once, each opening the file for
// every step: a counter kept in the record, raised by one at every step
// over what the file holds, ends at the number of steps of both. Without the
// lock around the read and the write, steps of one process are lost.
TEST(RecordFile, TwoProcessesUpdatingOneRecordLoseNoStep) {
    TempFolder tmp;
    const std::string path = tmp / "a.pln";
    constexpr int kPerProcess = 300;
    constexpr std::size_t kSize = 16;
    TempFolder::Put(path, std::string(kSize, 'a') + std::string(kSize, '0') + "tail");
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            char go;
            ::close(start[1]);
            if (::read(start[0], &go, 1) != 0) _exit(3);
            int status = 0;
            try {
                std::vector<std::uint8_t> r(kSize);
                for (int i = 0; i < kPerProcess; ++i) {
                    RecordFile f(path, kSize);
                    f.Update(1, r, [&](std::size_t present) {
                        if (present != kSize) status = 1;
                        const int n = std::stoi(Text(r)) + 1;
                        std::string text = std::to_string(n);
                        text.insert(0, kSize - text.size(), '0');
                        std::copy(text.begin(), text.end(), r.begin());
                    });
                    f.Close();
                }
            } catch (...) {
                status = 2;
            }
            _exit(status);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    std::string total = std::to_string(2 * kPerProcess);
    total.insert(0, kSize - total.size(), '0');
    EXPECT_EQ(TempFolder::Get(path), std::string(kSize, 'a') + total + "tail");
}

// A record being rewritten under the lock by another workstation is read
// whole, as it is once the lock is released: ReadPart waits for the lock.
TEST(RecordFile, ReadPartWaitsForARewriteInProgress) {
    TempFolder tmp;
    const std::string path = tmp / "a.pln";
    TempFolder::Put(path, "OLDOLDOLD");
    RecordFile writer(path, 9);
    int ready[2], result[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(result), 0);
    pid_t child;
    {
        RecordFile::Lock lock(writer);
        TempFolder::Put(path, "NEWNEWOLD"); // halfway through the rewrite
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            ::close(result[0]);
            std::string seen;
            try {
                RecordFile reader(path, 9);
                if (::write(ready[1], "r", 1) != 1) _exit(3);
                std::vector<std::uint8_t> r(9);
                const std::size_t read = reader.ReadPart(0, r);
                seen = std::to_string(read) + ":" + Text(r);
            } catch (...) {
                seen = "failed";
            }
            _exit(::write(result[1], seen.data(), seen.size()) == static_cast<ssize_t>(seen.size()) ? 0 : 4);
        }
        ::close(ready[1]);
        ::close(result[1]);
        char r;
        ASSERT_EQ(::read(ready[0], &r, 1), 1);
        // Give the reader every chance to read the half-written record.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        TempFolder::Put(path, "NEWNEWNEW");
    }
    char buf[64];
    const ssize_t n = ::read(result[0], buf, sizeof buf);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0), "9:NEWNEWNEW");
    ::close(ready[0]);
    ::close(result[0]);
    writer.Close();
}

// A lock that another workstation holds and never lets go is awaited for a
// while, and the wait is told (the wait cursor shows meanwhile); then the
// write is refused as a file in use, with nothing written, and so is a
// record read under the lock. Readers that take no lock still read. Once the
// lock is let go, the same write goes through.
TEST(RecordFile, ALockHeldElsewhereIsAwaitedForAWhileThenRefused) {
    TempFolder tmp;
    const std::string path = tmp / "Parco_Automezzi.pro";
    TempFolder::Put(path, "AAAA");
    SetLockWaitForTesting(std::chrono::milliseconds(100));
    std::vector<bool> told;
    SetLockWaitNotice([&](bool waiting) { told.push_back(waiting); });
    {
        const ts::LockHolder holder(path, ts::LockHolder::Kind::Archive);
        ts::Bounded([&] {
            RecordFile f(path, 4);
            EXPECT_THROW(f.Append(Rec("NNNN")), FileBusy);
            EXPECT_EQ(told, (std::vector<bool>{true, false}));
            EXPECT_THROW(f.Append(Rec("NNNN")), FileError); // closed: the wait may still go on behind it
            RecordFile g(path, 4);
            g.Seek(1);
            EXPECT_THROW(g.Write(Rec("MMMM")), FileBusy);
            std::vector<std::uint8_t> r(4);
            EXPECT_THROW(RecordFile(path, 4).ReadPart(0, r), FileBusy);
            RecordFile reader(path, 4);
            EXPECT_EQ(reader.Count(), 1);
            reader.Read(r);
            EXPECT_EQ(Text(r), "AAAA");
        });
        EXPECT_EQ(TempFolder::Get(path), "AAAA");
    }
    RecordFile f(path, 4);
    EXPECT_EQ(f.Append(Rec("NNNN")), 2);
    f.Close();
    EXPECT_EQ(TempFolder::Get(path), "AAAANNNN");
    SetLockWaitNotice(nullptr);
    ResetLockWait();
}

// Reading needs read permission only: as a plain user, an archive of mode
// 444 in a folder of mode 555 is read whole, a record also under the shared
// lock, and an archive missing there reads as empty without a file being
// made; a write of either is refused, and nothing changes.
TEST(RecordFile, AReadOnlyArchiveIsReadAndOnlyTheWriteIsRefused) {
    TempFolder tmp;
    if (const std::string why = ts::OtherUsersRefused(tmp.Path()); !why.empty()) GTEST_SKIP() << why;
    const std::string folder = tmp / "sola-lettura", path = folder + "/Conducenti.pro";
    std::filesystem::create_directory(folder);
    TempFolder::Put(path, "AAAABBBBcc");
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.c_str(), 0555);
    ::chmod(tmp.Path().c_str(), 0755);
    ts::Bounded([&] {
        ts::BecomeUser(61003, 61003);
        RecordFile f(path, 4);
        EXPECT_EQ(f.Count(), 2);
        std::vector<std::string> seen;
        f.ForEach(
            [&](std::int64_t, std::span<const std::uint8_t> r) { seen.emplace_back(r.begin(), r.end()); });
        EXPECT_EQ(seen, (std::vector<std::string>{"AAAA", "BBBB"}));
        std::vector<std::uint8_t> r(4);
        EXPECT_EQ(f.ReadPart(2, r), 2u);
        EXPECT_EQ(Text(r), std::string("cc\0\0", 4));
        EXPECT_THROW(f.Append(Rec("NNNN")), FileError);
        f.Close();

        RecordFile missing(folder + "/2026.fdm", 4);
        EXPECT_EQ(missing.Count(), 0);
        EXPECT_EQ(missing.ReadPart(0, r), 0u);
        EXPECT_THROW(missing.Read(r), FileError);
        EXPECT_THROW(missing.Append(Rec("NNNN")), FileError);
        missing.Close();
    });
    EXPECT_EQ(TempFolder::Get(path), "AAAABBBBcc");
    EXPECT_FALSE(std::filesystem::exists(folder + "/2026.fdm"));
    ::chmod(folder.c_str(), 0755);
}
