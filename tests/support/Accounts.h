#pragma once
// Other user accounts and mounts for the tests of a data folder shared by
// several users, run as root (CI is):
//
//   ts::Accounts accounts(2);             // a group and two users of it
//   if (!accounts.Made()) GTEST_SKIP() << accounts.WhyNot();
//   ts::Bounded([&] {                     // a child process...
//       ts::BecomeUser(accounts.User(1), accounts.Group(), 022);  // ...as the second user
//       ...
//   });
//
// The group and the users are made with groupadd and useradd under unique
// names (the process id), one program at a time, and removed when the object
// ends; those left by a test program that was killed are removed by the next
// one. A mount is made in a child process that has a mount namespace of its
// own (PrivateMounts), so it ends with that process whatever happens.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ts {

// Runs a program with its arguments, no shell, and returns its exit status
// (-1 when it could not run); what it writes on the error stream goes to
// `errors`.
inline int RunProgram(const std::vector<std::string>& argv, std::string* errors = nullptr) {
    int pipeFd[2];
    if (::pipe2(pipeFd, O_CLOEXEC) != 0) return -1;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(pipeFd[1], 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        _exit(127);
    }
    ::close(pipeFd[1]);
    std::string text;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFd[0], buf, sizeof buf)) > 0)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(pipeFd[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    if (errors) *errors = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool Alive(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

class Accounts {
public:
    explicit Accounts(int users) {
        if (::geteuid() != 0) {
            why_ = "user accounts can be made only as root";
            return;
        }
        const Serialized one;
        RemoveLeftovers();
        const std::string tag = kPrefix + std::to_string(::getpid());
        group_ = tag + "g";
        std::string errors;
        if (RunProgram({"groupadd", group_}, &errors) != 0) {
            why_ = "groupadd refused: " + errors;
            group_.clear();
            return;
        }
        for (int i = 0; i < users; ++i) {
            const std::string name = tag + char('a' + i);
            if (RunProgram({"useradd", "-M", "-N", "-g", group_, "-s", "/usr/sbin/nologin", name}, &errors) !=
                0) {
                why_ = "useradd refused: " + errors;
                return;
            }
            names_.push_back(name);
            const passwd* pw = ::getpwnam(name.c_str());
            if (!pw) {
                why_ = "the user made cannot be found: " + name;
                return;
            }
            uids_.push_back(pw->pw_uid);
        }
        const group* gr = ::getgrnam(group_.c_str());
        if (!gr) {
            why_ = "the group made cannot be found: " + group_;
            return;
        }
        gid_ = gr->gr_gid;
    }
    ~Accounts() {
        const Serialized one;
        for (const std::string& name : names_)
            RunProgram({"userdel", name});
        if (!group_.empty()) RunProgram({"groupdel", group_});
    }
    Accounts(const Accounts&) = delete;
    Accounts& operator=(const Accounts&) = delete;

    bool Made() const { return why_.empty(); }
    const std::string& WhyNot() const { return why_; }
    uid_t User(int i) const { return uids_.at(std::size_t(i)); }
    gid_t Group() const { return gid_; }

private:
    static constexpr const char* kPrefix = "dvtest";

    // One test program at a time changes the account files: useradd and
    // groupadd refuse to work while another holds them. The lock is taken
    // on the account file itself, which those programs do not lock this
    // way, so that no lock file is left behind.
    struct Serialized {
        int fd = ::open("/etc/passwd", O_RDONLY | O_CLOEXEC);
        Serialized() {
            if (fd >= 0) ::flock(fd, LOCK_EX);
        }
        ~Serialized() {
            if (fd >= 0) ::close(fd);
        }
    };

    // Users and groups of test programs that ended without removing them.
    static void RemoveLeftovers() {
        for (const char* file : {"/etc/passwd", "/etc/group"}) {
            std::ifstream in(file);
            std::string line;
            while (std::getline(in, line)) {
                const std::string name = line.substr(0, line.find(':'));
                if (name.rfind(kPrefix, 0) != 0 || name.size() < std::strlen(kPrefix) + 2) continue;
                const std::string digits =
                    name.substr(std::strlen(kPrefix), name.size() - std::strlen(kPrefix) - 1);
                if (digits.find_first_not_of("0123456789") != std::string::npos || digits.empty()) continue;
                if (Alive(static_cast<pid_t>(std::stol(digits)))) continue;
                RunProgram({std::string(file) == "/etc/passwd" ? "userdel" : "groupdel", name});
            }
        }
    }

    std::string why_;
    std::string group_;
    gid_t gid_ = 0;
    std::vector<std::string> names_;
    std::vector<uid_t> uids_;
};

// In a child process: from now on the user `uid` of the group `gid` (its only
// group), with the file creation mask `mask`. Fails the test when refused.
inline void BecomeUser(uid_t uid, gid_t gid, mode_t mask = 022) {
    ::umask(mask);
    const gid_t groups[] = {gid};
    if (::setgroups(1, groups) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) {
        ADD_FAILURE() << "cannot become user " << uid << ": " << std::strerror(errno);
        _exit(1);
    }
}

// Why another user could not reach `folder` (empty when it can): a folder
// above it that others may not enter (a temporary folder under root's home).
inline std::string UnreachableByOthers(const std::string& folder) {
    std::filesystem::path p = std::filesystem::path(folder).lexically_normal();
    if (!p.has_filename()) p = p.parent_path();
    for (p = p.parent_path();; p = p.parent_path()) {
        struct stat st {};
        if (::stat(p.c_str(), &st) != 0 || !(st.st_mode & S_IXOTH))
            return "other users cannot enter " + p.string() + ", above the test's folder";
        if (p == p.root_path()) return {};
    }
}

// Why a test cannot act as another user on `folder` (empty when it can): it
// does not run as root, or other users cannot reach the folder.
inline std::string OtherUsersRefused(const std::string& folder) {
    if (::geteuid() != 0) return "other users for the test need root";
    return UnreachableByOthers(folder);
}

// In a child process: a mount namespace of its own, so that what it mounts
// is seen by it alone and goes away with it. False when refused.
inline bool PrivateMounts() {
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Mounts `folder` again over itself, read-only. False when refused.
inline bool MountReadOnly(const std::string& folder) {
    return ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// Mounts a file system of `bytes` in memory over `folder`. False when refused.
inline bool MountSmall(const std::string& folder, std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

// Why a test cannot mount here (empty when it can): tried in a child.
inline std::string MountRefused() {
    if (::geteuid() != 0) return "mounts can be made only as root";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        char folder[] = "/tmp/dorneval-mount-XXXXXX";
        const bool made = ::mkdtemp(folder) != nullptr;
        const bool ok = made && PrivateMounts() && MountSmall(folder, 4096) && MountReadOnly(folder);
        if (made) {
            ::umount2(folder, MNT_DETACH);
            ::umount2(folder, MNT_DETACH);
            ::rmdir(folder);
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "this machine refuses a private mount namespace or a mount in it";
    return {};
}

} // namespace ts
