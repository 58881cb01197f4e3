#include "platform/rtl/RecordFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <vector>

using namespace rtl;

namespace {

std::vector<std::uint8_t> Rec(const std::string& s) { return {s.begin(), s.end()}; }

std::string Text(const std::vector<std::uint8_t>& r) { return {r.begin(), r.end()}; }

int OpenDescriptors() {
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    while (readdir(d)) ++n;
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
