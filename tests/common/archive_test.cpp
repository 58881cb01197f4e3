#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "common/Archive.h"
#include "common/Records.h"

using namespace common;
namespace fs = std::filesystem;

namespace {
class ArchiveTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("dorneval-archive-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        path_ = (dir_ / "2024.vis").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Raw() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteRaw(const std::string& bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static Record Visit(const std::string& targa) {
        Record r(TVisitaRec);
        r.Set("Targa", targa);
        return r;
    }
    // A record typed out by hand: plate length byte at 119, its bytes after it.
    static std::string HandVisit(const std::string& targa) {
        std::string b(1366, '\0');
        b[119] = char(targa.size());
        b.replace(120, targa.size(), targa);
        return b;
    }

    fs::path dir_;
    std::string path_;
};
} // namespace

TEST_F(ArchiveTest, MissingArchiveIsCreatedEmpty) {
    Archivio a(path_, TVisitaRec);
    EXPECT_EQ(a.Conta(), 0);
    EXPECT_TRUE(fs::exists(path_));
    EXPECT_EQ(fs::file_size(path_), 0u);
}

TEST_F(ArchiveTest, AppendRewriteAndReadByNumber) {
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("", Visit("AA111AA")), 1);
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("  ", Visit("BB222BB")), 2);
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("", Visit("CC333CC")), 3);
    EXPECT_EQ(Raw(), HandVisit("AA111AA") + HandVisit("BB222BB") + HandVisit("CC333CC"));

    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi(" 2 ", Visit("XY")), 2);
    EXPECT_EQ(Raw(), HandVisit("AA111AA") + HandVisit("XY") + HandVisit("CC333CC"));

    Archivio a(path_, TVisitaRec);
    Record r(TVisitaRec);
    a.Leggi(3, r);
    EXPECT_EQ(r.Get("Targa"), "CC333CC");
    a.Leggi(2, r);
    EXPECT_EQ(r.Get("Targa"), "XY");
    EXPECT_THROW(a.Leggi(4, r), std::exception);
    EXPECT_THROW(a.Leggi(0, r), std::exception);
}

TEST_F(ArchiveTest, BadNumbersWriteNothing) {
    WriteRaw(HandVisit("AA") + HandVisit("BB"));
    for (const char* bad : {"0", "-1", "abc", "1,5", "4", "99999999999999999999", "2x"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Archivio(path_, TVisitaRec).Scrivi(bad, Visit("ZZ")), AccessoArchivio);
        EXPECT_EQ(Raw(), HandVisit("AA") + HandVisit("BB"));
    }
    // The number right after the last record writes the next one.
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("3", Visit("CC")), 3);
    EXPECT_EQ(Raw(), HandVisit("AA") + HandVisit("BB") + HandVisit("CC"));
}

TEST_F(ArchiveTest, TrailingFragmentIsNotCountedAndIsOverwritten) {
    WriteRaw(HandVisit("AA") + std::string(700, 'x'));
    Archivio a(path_, TVisitaRec);
    EXPECT_EQ(a.Conta(), 1);
    int seen = 0;
    a.PerOgni([&](std::int64_t n, const RecordView& r) {
        ++seen;
        EXPECT_EQ(n, 1);
        EXPECT_EQ(r.Get("Targa"), "AA");
    });
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("", Visit("BB")), 2);
    EXPECT_EQ(Raw(), HandVisit("AA") + HandVisit("BB"));
}

TEST_F(ArchiveTest, AppendNeverOverwritesARecordAppendedMeanwhile) {
    WriteRaw(HandVisit("AA"));
    Archivio mine(path_, TVisitaRec);
    EXPECT_EQ(mine.Conta(), 1);
    EXPECT_EQ(Archivio(path_, TVisitaRec).Scrivi("", Visit("OTHER")), 2); // another workstation
    EXPECT_EQ(mine.Scrivi("", Visit("MINE")), 3);
    EXPECT_EQ(Raw(), HandVisit("AA") + HandVisit("OTHER") + HandVisit("MINE"));
}

// One workstation saves the same card again and again while another appends
// new cards, each opening the archive for every save as the cards do: the
// rewritten card holds the last rewrite, every appended card is there whole,
// once and in its order, and nothing else changed.
TEST_F(ArchiveTest, ARewriteWhileAnotherProcessAppendsChangesOnlyItsRecord) {
    constexpr int kRewrites = 300, kAppends = 300;
    WriteRaw(HandVisit("A1") + HandVisit("A2") + HandVisit("A3"));
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
                for (int i = 1; i <= (w == 0 ? kRewrites : kAppends); ++i) {
                    if (w == 0) {
                        if (Archivio(path_, TVisitaRec).Scrivi("2", Visit("R" + std::to_string(i))) != 2)
                            status = 1;
                    } else if (Archivio(path_, TVisitaRec).Scrivi("", Visit("N" + std::to_string(i))) !=
                               3 + i) {
                        status = 1;
                    }
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
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a save got another number; 2: a save failed";
    }
    std::string expected = HandVisit("A1") + HandVisit("R" + std::to_string(kRewrites)) + HandVisit("A3");
    for (int i = 1; i <= kAppends; ++i)
        expected += HandVisit("N" + std::to_string(i));
    const std::string raw = Raw();
    ASSERT_EQ(raw.size(), expected.size());
    for (std::size_t at = 0; at < raw.size(); at += 1366)
        EXPECT_EQ(raw.substr(at, 1366), expected.substr(at, 1366)) << "record " << at / 1366 + 1;
}
