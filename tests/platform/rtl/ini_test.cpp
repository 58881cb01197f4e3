#include "platform/rtl/Ini.h"

#include "platform/rtl/Files.h"

#include "TempFolder.h"
#include "tests/support/Accounts.h"
#include "tests/support/Bounded.h"
#include "tests/support/LockHolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rtl;

TEST(Ini, ReadsValuesWithDefaults) {
    TempFolder tmp;
    const std::string path = tmp / "f.ini";
    TempFolder::Put(path, "orphan=1\r\n"
                          "; Valore=commented\r\n"
                          "  [ accesso ]  \r\n"
                          "  VALORE =  AB12 \r\n"
                          "Vuoto=\n"
                          "[Fogli di Marcia]\n"
                          "Ufficio Emittente=Citt\xE0 di Castello\n"
                          "Inizio=5\r\n"
                          "[Numerazione Fogli di Marcia]\r\n"
                          "Inizio=250");
    const IniFile ini(path);
    const struct {
        const char *section, *key, *expected;
    } cases[] = {
        {"Accesso", "Valore", "AB12"}, // case and blanks do not matter
        {"ACCESSO", "valore", "AB12"},
        {"Accesso", "Vuoto", ""},                                      // present but empty
        {"Fogli di Marcia", "Ufficio Emittente", "Città di Castello"}, // windows-1252 on disk
        {"Numerazione Fogli di Marcia", "Inizio", "250"},              // no line end at the end
        {"Fogli di Marcia", "Inizio", "5"},                            // same key, other section
        {"Accesso", "Inizio", "def"},                                  // key of another section
        {"Accesso", "orphan", "def"},                                  // line before any section
        {"Missing", "Valore", "def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "def"), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(IniFile(tmp / "missing.ini").ReadString("Accesso", "Valore", "x"), "x");
    EXPECT_EQ(IniFile(tmp / "missing/below.ini").ReadString("Accesso", "Valore"), "");
    EXPECT_THROW(IniFile(tmp.Path()).ReadString("a", "b"), FileError); // a folder is no INI file
}

TEST(Ini, WriteChangesOnlyItsOwnLine) {
    TempFolder tmp;
    const std::string path = tmp / "f.ini";
    const std::string head = "; settings\r\n[Other]\nkey=1\n\n";
    const std::string tail = "[Z]\r\nX=y\nq=1";
    const struct {
        const char *before, *section, *key, *value, *after;
    } cases[] = {
        // Replaced in place, whatever the spacing and case of the old line.
        {"[fogli di marcia]\r\n  Ufficio Emittente = Roma \r\n", "Fogli di Marcia", "Ufficio Emittente",
         "Città", "[fogli di marcia]\r\nUfficio Emittente=Citt\xE0\r\n"},
        {"[S]\nk = old\n", "s", "K", "new", "[S]\nK=new\r\n"},
        // Added after the last line of its section, before blank lines.
        {"[S]\r\na=1\r\n\r\n", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n\r\n"},
        {"[S]\n", "S", "b", "", "[S]\nb=\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder::Put(path, head + c.before + tail);
        IniFile(path).WriteString(c.section, c.key, c.value);
        EXPECT_EQ(TempFolder::Get(path), head + c.after + tail) << c.before;
    }
}

TEST(Ini, WriteAddsSectionsAndFiles) {
    TempFolder tmp;
    const std::string path = tmp / "f.ini";
    IniFile ini(path);
    ini.WriteString("Accesso", "Valore", "AB12");
    EXPECT_EQ(TempFolder::Get(path), "[Accesso]\r\nValore=AB12\r\n");
    ini.WriteString("Fogli di Marcia", "Ufficio Emittente", "€ Ω");
    EXPECT_EQ(TempFolder::Get(path),
              "[Accesso]\r\nValore=AB12\r\n[Fogli di Marcia]\r\nUfficio Emittente=\x80 ?\r\n");
    EXPECT_EQ(ini.ReadString("fogli di marcia", "ufficio emittente"), "€ ?");

    TempFolder::Put(path, "[A]\nq=1"); // last line without a line end
    ini.WriteString("B", "k", "v");
    EXPECT_EQ(TempFolder::Get(path), "[A]\nq=1\r\n[B]\r\nk=v\r\n");
    TempFolder::Put(path, "[A]\nq=1");
    ini.WriteString("A", "k", "v");
    EXPECT_EQ(TempFolder::Get(path), "[A]\nq=1\r\nk=v\r\n");
}

TEST(Ini, FailedWritesRaiseAndLeaveTheFileAsItWas) {
    TempFolder tmp;
    TempFolder::Put(tmp / "plain", "not a folder");
    EXPECT_THROW(IniFile(tmp / "plain/f.ini").WriteString("A", "k", "v"), FileError);
    CreateFolders(tmp / "f.ini");
    EXPECT_THROW(IniFile(tmp / "f.ini").WriteString("A", "k", "v"), FileError);

    const std::string path = tmp / "g.ini";
    const std::string original = "[A]\nk=1\n";
    TempFolder::Put(path, original);
    IniFile ini(path);
    // Texts that would break the file's lines are refused.
    EXPECT_THROW(ini.WriteString("A", "k", "1\r\n[B]"), FileError);
    EXPECT_THROW(ini.WriteString("A", "k=2", "v"), FileError);
    EXPECT_THROW(ini.WriteString("A", "", "v"), FileError);
    EXPECT_THROW(ini.WriteString("A]", "k", "v"), FileError);
    EXPECT_THROW(ini.WriteString("A\nB", "k", "v"), FileError);
    EXPECT_EQ(TempFolder::Get(path), original);
    EXPECT_EQ(ListFiles(tmp.Path()), (std::vector<std::string>{"g.ini", "plain"}));
}

// A FIFO in the place of the file would hold an open until someone writes
// into it: reads, writes and updates refuse it at once and leave it there,
// also when a link leads to it.
TEST(Ini, AFifoIsRefusedWithoutWaiting) {
    TempFolder tmp;
    ASSERT_EQ(::mkfifo((tmp / "f.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink(tmp / "f.ini", tmp / "link.ini");
    for (const std::string& path : {tmp / "f.ini", tmp / "link.ini"}) {
        SCOPED_TRACE(path);
        ts::Bounded([&] {
            EXPECT_THROW(IniFile(path).ReadString("A", "k"), FileError);
            EXPECT_THROW(IniFile(path).WriteString("A", "k", "v"), FileError);
            IniFile ini(path);
            EXPECT_THROW(IniFile::Update update(ini), FileError);
        });
    }
    struct stat st {};
    ASSERT_EQ(::lstat((tmp / "f.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A link is written through to its file and stays a link; a link that leads
// nowhere (a share that is not mounted) reads as a missing file, and a write
// is refused instead of putting a file of its own in the link's place.
TEST(Ini, WritesGoThroughALinkAndALinkToNothingStaysALink) {
    TempFolder tmp;
    std::filesystem::create_directory(tmp / "share");
    TempFolder::Put(tmp / "share/f.ini", "[A]\r\nk=1\r\n");
    std::filesystem::create_symlink(tmp / "share/f.ini", tmp / "f.ini");
    IniFile(tmp / "f.ini").WriteString("A", "k", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(tmp / "f.ini"));
    EXPECT_EQ(TempFolder::Get(tmp / "share/f.ini"), "[A]\r\nk=2\r\n");
    EXPECT_EQ(IniFile(tmp / "f.ini").ReadString("A", "k"), "2");

    const std::string dangling = tmp / "g.ini";
    std::filesystem::create_symlink(tmp / "unmounted/g.ini", dangling);
    EXPECT_EQ(IniFile(dangling).ReadString("A", "k", "def"), "def");
    try {
        IniFile(dangling).WriteString("A", "k", "v");
        ADD_FAILURE() << "written through a link to nothing";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Path(), dangling);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_FALSE(std::filesystem::exists(tmp / "unmounted"));
}

// An update holds the exclusive lock that every other process honours, on
// the lock file beside the settings file, from before its read to after its
// write; its own reads and writes do not wait on it.
TEST(Ini, AnUpdateHoldsTheLockFromTheReadToTheWrite) {
    TempFolder tmp;
    const std::string path = tmp / "f.ini";
    TempFolder::Put(path, "[A]\r\nk=1\r\n");
    // Whether another open of the lock file would have to wait for a read.
    const auto lockedForOthers = [&] {
        const int fd = ::open((tmp / ".f.ini.lock").c_str(), O_RDONLY);
        if (fd < 0) return false;
        const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return locked;
    };
    ts::Bounded([&] {
        IniFile ini(path);
        {
            const IniFile::Update update(ini);
            EXPECT_TRUE(lockedForOthers());
            EXPECT_EQ(ini.ReadString("A", "k"), "1");
            ini.WriteString("A", "k", "2");
            EXPECT_TRUE(lockedForOthers());
        }
        EXPECT_FALSE(lockedForOthers());
        EXPECT_EQ(ini.ReadString("A", "k"), "2");
    });
    EXPECT_EQ(TempFolder::Get(path), "[A]\r\nk=2\r\n");
}

// Another workstation holding the lock without end: a read and a write are
// refused as a file in use after a while, and the file stays as it was; once
// the lock is let go, both go through.
TEST(Ini, ALockHeldElsewhereIsAwaitedForAWhileThenRefused) {
    TempFolder tmp;
    const std::string path = tmp / "Fogli_di_Marcia.ini";
    TempFolder::Put(path, "[A]\r\nk=1\r\n");
    SetLockWaitForTesting(std::chrono::milliseconds(100));
    {
        const ts::LockHolder holder(path, ts::LockHolder::Kind::Settings);
        ts::Bounded([&] {
            IniFile ini(path);
            EXPECT_THROW(ini.ReadString("A", "k"), FileBusy);
            EXPECT_THROW(ini.WriteString("A", "k", "2"), FileBusy);
            EXPECT_THROW(IniFile::Update{ini}, FileBusy);
        });
    }
    EXPECT_EQ(TempFolder::Get(path), "[A]\r\nk=1\r\n");
    IniFile ini(path);
    ini.WriteString("A", "k", "2");
    EXPECT_EQ(ini.ReadString("A", "k"), "2");
    ResetLockWait();
}

// The lock file serves every user who may write the file it guards. Two
// users of one group, with the umask 022, on a folder and a settings file
// the group may write: the lock file the first one makes has the permission
// bits of the settings file, and a lock file the second one may not write
// (made by the first one, mode 644) still locks for it: the second one
// changes the file, holding a lock that a third open of the lock file sees.
TEST(Ini, LockFilesServeEveryUserWhoMayWriteTheFileTheyGuard) {
    constexpr gid_t kGroup = 61010;
    constexpr uid_t kFirst = 61011, kSecond = 61012;
    TempFolder tmp;
    if (const std::string why = ts::OtherUsersRefused(tmp.Path()); !why.empty()) GTEST_SKIP() << why;
    const std::string path = tmp / "Fogli_di_Marcia.ini", lock = tmp / ".Fogli_di_Marcia.ini.lock";
    TempFolder::Put(path, "[A]\r\nk=1\r\n");
    ASSERT_EQ(::chown(path.c_str(), 0, kGroup), 0);
    ::chmod(path.c_str(), 0664);
    ASSERT_EQ(::chown(tmp.Path().c_str(), 0, kGroup), 0);
    ::chmod(tmp.Path().c_str(), 02775);
    ts::Bounded([&] {
        ts::BecomeUser(kFirst, kGroup, 022);
        IniFile(path).WriteString("A", "k", "2");
    });
    struct stat st {};
    ASSERT_EQ(::stat(lock.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kFirst);
    EXPECT_EQ(st.st_mode & 0777, 0664u);

    ::chmod(lock.c_str(), 0644); // as a lock file made before, or by hand
    ts::Bounded([&] {
        ts::BecomeUser(kSecond, kGroup, 022);
        IniFile ini(path);
        {
            const IniFile::Update update(ini);
            const int other = ::open(lock.c_str(), O_RDONLY);
            EXPECT_FALSE(::flock(other, LOCK_SH | LOCK_NB) == 0) << "the lock is not held";
            ::close(other);
            ini.WriteString("A", "k", "3");
        }
        IniFile(path).WriteString("B", "j", "4");
    });
    EXPECT_EQ(TempFolder::Get(path), "[A]\r\nk=3\r\n[B]\r\nj=4\r\n");
}

// On a read-only folder (mode 555, the file 444, no lock file) a plain user
// reads the settings without a lock file; a write is refused and changes
// nothing, and no lock file is made.
TEST(Ini, AReadOnlyFolderIsReadWithoutALockFile) {
    TempFolder tmp;
    if (const std::string why = ts::OtherUsersRefused(tmp.Path()); !why.empty()) GTEST_SKIP() << why;
    const std::string folder = tmp / "sola-lettura", path = folder + "/unins000.dll";
    std::filesystem::create_directory(folder);
    TempFolder::Put(path, "[Accesso]\r\nValore=57\r\n");
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.c_str(), 0555);
    ::chmod(tmp.Path().c_str(), 0755);
    ts::Bounded([&] {
        ts::BecomeUser(61013, 61013);
        IniFile ini(path);
        EXPECT_EQ(ini.ReadString("Accesso", "Valore"), "57");
        EXPECT_THROW(ini.WriteString("Accesso", "Valore", "58"), FileError);
    });
    EXPECT_EQ(TempFolder::Get(path), "[Accesso]\r\nValore=57\r\n");
    EXPECT_EQ(ListFiles(folder), std::vector<std::string>{"unins000.dll"});
    ::chmod(folder.c_str(), 0755);
}
