#pragma once
// Another workstation that takes the lock of a file and never lets go (a
// stalled machine or share), until the object ends: a process of its own
// that holds the lock the program takes, exclusive, and waits.
//
//   ts::LockHolder holder(archivePath, ts::LockHolder::Kind::Archive);
//   ... every write of the archive meets the lock ...
//   // the holder ends with the scope
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ts {

class LockHolder {
public:
    // Archive: an open file description lock on the archive itself.
    // Settings: flock on the hidden lock file beside a settings file or the
    // password store (".<name>.lock"), made when missing.
    enum class Kind { Archive, Settings };

    LockHolder(const std::string& path, Kind kind) {
        int ready[2];
        if (::pipe(ready) != 0) {
            ADD_FAILURE() << "pipe";
            return;
        }
        std::fflush(nullptr);
        child_ = ::fork();
        if (child_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the test
            ::close(ready[0]);
            bool held = false;
            if (kind == Kind::Archive) {
                const int fd = ::open(path.c_str(), O_RDWR);
                struct flock fl {};
                fl.l_type = F_WRLCK;
                fl.l_whence = SEEK_SET;
                held = fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
            } else {
                const std::size_t slash = path.rfind('/') + 1;
                const std::string lock = path.substr(0, slash) + "." + path.substr(slash) + ".lock";
                const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, 0666);
                held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            }
            if (::write(ready[1], held ? "1" : "0", 1) != 1) _exit(1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char answer = '0';
        if (child_ < 0 || ::read(ready[0], &answer, 1) != 1 || answer != '1')
            ADD_FAILURE() << "the lock of " << path << " could not be taken";
        ::close(ready[0]);
    }
    ~LockHolder() {
        if (child_ <= 0) return;
        ::kill(child_, SIGKILL);
        int status = 0;
        ::waitpid(child_, &status, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    pid_t child_ = -1;
};

} // namespace ts
