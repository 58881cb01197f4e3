#include "bench/Bench.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>

namespace bench {

namespace {

constexpr int kRepeats = 5;
// The idle pause before the second first run, in seconds (BENCH_PAUSE).
constexpr double kPauseSeconds = 15;
// A fresh process that has not finished by then is stopped (a window left
// waiting for an answer, a path gone wrong): its row reads as failed.
constexpr unsigned kChildSeconds = 1800;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "bench: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(2);
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Whether the path is to be timed: BENCH_ONLY, when set, names words of the
// paths to time.
bool Selected(const std::string& path) {
    const std::string only = Env("BENCH_ONLY");
    if (only.empty()) return true;
    for (std::size_t start = 0; start <= only.size();) {
        std::size_t end = only.find(',', start);
        if (end == std::string::npos) end = only.size();
        if (end > start && path.find(only.substr(start, end - start)) != std::string::npos) return true;
        start = end + 1;
    }
    return false;
}

double MedianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Milliseconds with three significant digits or more.
std::string Ms(double seconds) {
    const double ms = seconds * 1e3;
    char buf[32];
    if (ms >= 100)
        std::snprintf(buf, sizeof buf, "%.0f", ms);
    else if (ms >= 10)
        std::snprintf(buf, sizeof buf, "%.1f", ms);
    else if (ms >= 1)
        std::snprintf(buf, sizeof buf, "%.2f", ms);
    else if (ms >= 0.01)
        std::snprintf(buf, sizeof buf, "%.3f", ms);
    else
        std::snprintf(buf, sizeof buf, "%.5f", ms);
    return buf;
}

std::string Ratio(double t, double raw) {
    if (raw <= 0) return "-";
    char buf[32];
    const double r = t / raw;
    std::snprintf(buf, sizeof buf, r >= 100 ? "%.0f" : r >= 0.1 ? "%.2f" : "%.4f", r);
    return buf;
}

std::string Mb(double bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, bytes >= 10e6 ? "%.0f MB" : "%.1f MB", bytes / 1e6);
    return buf;
}

double PauseSeconds() {
    const std::string v = Env("BENCH_PAUSE");
    return v.empty() ? kPauseSeconds : std::max(0.0, std::strtod(v.c_str(), nullptr));
}

// Sleeps through the idle pause, whatever interrupts it.
void Pause(double seconds) {
    timespec left{time_t(seconds), long((seconds - double(time_t(seconds))) * 1e9)};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void PrintHeader() {
    std::printf("%-11s %-36s %9s %10s %10s %10s %10s %8s %8s %8s %7s  %s\n", "program", "path", "size",
                "first ms", "paused ms", "median ms", "raw ms", "first/r", "paused/r", "median/r", "peak MB",
                "note");
    std::fflush(stdout);
}

struct ChildResult {
    bool ok = false;
    double seconds = 0;
    std::string note;
    long peakKb = 0;
};

// Runs the path in a fresh process of this program and reads back its time
// (first: the first operation; repeat: the median of the repeats after it).
ChildResult RunChild(const std::string& folder, std::size_t size, const std::string& path, const char* mode) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) Fail("pipe");
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid < 0) Fail("fork");
    if (pid == 0) {
        ::close(fds[0]);
        ::fcntl(fds[1], F_SETFD, 0);
        const std::string sizeArg = std::to_string(size), fdArg = std::to_string(fds[1]);
        const char* args[] = {"bench",      "--child", folder.c_str(), sizeArg.c_str(),
                              path.c_str(), mode,      fdArg.c_str(),  nullptr};
        ::execv("/proc/self/exe", const_cast<char* const*>(args));
        _exit(127);
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.append(buf, std::size_t(n));
    }
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR) Fail("wait4");
    ChildResult r;
    r.peakKb = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        r.note = WIFSIGNALED(status) ? "FAILED: signal " + std::to_string(WTERMSIG(status))
                                     : "FAILED: exit " + std::to_string(WEXITSTATUS(status));
        return r;
    }
    const std::size_t tab = out.find('\t');
    if (tab == std::string::npos) {
        r.note = "FAILED: no result";
        return r;
    }
    r.ok = true;
    r.seconds = std::strtod(out.c_str(), nullptr);
    r.note = out.substr(tab + 1);
    while (!r.note.empty() && (r.note.back() == '\n' || r.note.back() == '\r'))
        r.note.pop_back();
    return r;
}

int Child(int argc, char** argv, const Program& program) {
    if (argc != 7) return 2;
    const std::string folder = argv[2], name = argv[4], mode = argv[5];
    const std::size_t size = std::size_t(std::strtoull(argv[3], nullptr, 10));
    const int fd = std::atoi(argv[6]);
    // Whatever the paths print goes to the error stream: the table is the
    // parent's.
    ::dup2(2, 1);
    ::alarm(kChildSeconds);
    if (program.setup) program.setup(folder);
    const std::vector<Path> paths = program.paths(folder, size);
    const auto it = std::find_if(paths.begin(), paths.end(), [&](const Path& p) { return p.name == name; });
    if (it == paths.end()) return 3;
    const Operation op = it->prepare();
    const auto once = [&](std::string& note) {
        const double start = Now();
        Outcome o = op();
        const double t = Now() - start;
        note = std::move(o.note);
        return o.seconds >= 0 ? o.seconds : t;
    };
    std::string note;
    double seconds = once(note);
    if (mode == "repeat") {
        std::vector<double> times;
        for (int i = 0; i < kRepeats; ++i)
            times.push_back(once(note));
        seconds = MedianOf(times);
    }
    for (char& c : note)
        if (c == '\n' || c == '\t') c = ' ';
    char time[32];
    std::snprintf(time, sizeof time, "%.9f\t", seconds);
    const std::string line = time + note + "\n";
    if (::write(fd, line.data(), line.size()) != ssize_t(line.size())) return 4;
    ::close(fd);
    std::fflush(nullptr);
    return 0;
}

// Measures one path of one size and prints its row; false when it failed.
bool Measure(const Program& program, const std::string& folder, std::size_t size, const Path& path) {
    double rawRead = 0;
    if (!path.archive.empty()) {
        Reload(path.archive);
        rawRead = Median(kRepeats, [&] { RawRead(path.archive, path.record); });
    }
    const ChildResult first = RunChild(folder, size, path.name, "first");
    // The same first run again after an idle pause, as a user starts the
    // program after a while.
    ChildResult paused;
    if (first.ok) {
        Pause(PauseSeconds());
        paused = RunChild(folder, size, path.name, "first");
    }
    const ChildResult repeat = paused.ok ? RunChild(folder, size, path.name, "repeat") : ChildResult{};
    std::string note = first.note;
    double raw = rawRead;
    if (first.ok && !path.output.empty()) {
        std::error_code ec;
        const auto bytes = std::filesystem::file_size(path.output, ec);
        if (ec) {
            note += "; FAILED: no file " + path.output;
        } else {
            const std::string scratch = folder + "raw_write.tmp";
            const double rawWrite = MedianOfNewFiles(scratch, std::size_t(bytes));
            raw += rawWrite;
            note += (note.empty() ? "" : "; ") + std::string("file ") + Mb(double(bytes)) + "; raw = ";
            if (!path.archive.empty()) note += "read " + Ms(rawRead) + " + ";
            note += "write " + Ms(rawWrite) + " ms";
            if (!path.archive.empty()) {
                const double archive = double(std::filesystem::file_size(path.archive));
                char buf[64];
                std::snprintf(buf, sizeof buf, "; peak %.2f x archive (%s)",
                              double(first.peakKb) * 1024 / archive, Mb(archive).c_str());
                note += buf;
            }
        }
    }
    if (first.ok && !paused.ok) note += "; after the pause " + paused.note;
    if (paused.ok && !repeat.ok) note += "; repeats " + repeat.note;
    const bool ok = first.ok && paused.ok && repeat.ok;
    char peak[32];
    std::snprintf(peak, sizeof peak, "%.0f", double(first.peakKb) / 1024);
    const auto time = [](const ChildResult& r) { return r.ok ? Ms(r.seconds) : std::string("-"); };
    const auto ratio = [raw](const ChildResult& r) {
        return r.ok ? Ratio(r.seconds, raw) : std::string("-");
    };
    std::printf("%-11s %-36s %9s %10s %10s %10s %10s %8s %8s %8s %7s  %s\n", program.name.c_str(),
                path.name.c_str(), Grouped(size).c_str(), time(first).c_str(), time(paused).c_str(),
                time(repeat).c_str(), raw > 0 ? Ms(raw).c_str() : "-", ratio(first).c_str(),
                ratio(paused).c_str(), ratio(repeat).c_str(), peak, note.c_str());
    std::fflush(stdout);
    return ok;
}

void ClearFolder(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
}

} // namespace

std::string Grouped(std::size_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::uint64_t RawRead(const std::string& path, std::size_t record, std::size_t touched) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) Fail("open " + path);
    record = std::max<std::size_t>(record, 1);
    std::vector<unsigned char> buf(std::max<std::size_t>((1 << 20) / record, 1) * record);
    std::uint64_t sum = 0;
    for (;;) {
        std::size_t filled = 0;
        while (filled < buf.size()) {
            const ssize_t n = ::read(fd, buf.data() + filled, buf.size() - filled);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            filled += std::size_t(n);
        }
        for (std::size_t r = 0; r + record <= filled; r += record)
            sum += buf[r + touched % record];
        if (filled < buf.size()) break;
    }
    ::close(fd);
    return sum;
}

void RawWrite(const std::string& path, std::size_t bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) Fail("create " + path);
    std::vector<char> block(1 << 20, 'x');
    for (std::size_t done = 0; done < bytes;) {
        const std::size_t n = std::min(block.size(), bytes - done);
        if (::write(fd, block.data(), n) != ssize_t(n)) Fail("write " + path);
        done += n;
    }
    ::close(fd);
}

void Reload(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) Fail("open " + path);
    if (::fdatasync(fd) != 0) Fail("fdatasync " + path);
    if (::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0) Fail("posix_fadvise " + path);
    ::close(fd);
    RawRead(path, 1 << 20);
}

double MedianOfNewFiles(const std::string& path, std::size_t bytes) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        ::unlink(path.c_str());
        const double start = Now();
        RawWrite(path, bytes);
        times.push_back(Now() - start);
    }
    ::unlink(path.c_str());
    return MedianOf(times);
}

double Median(int rounds, const std::function<void()>& pass) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        pass();
        times.push_back(Now() - start);
    }
    return MedianOf(times);
}

int Main(int argc, char** argv, const Program& program) {
    if (argc >= 2 && std::strcmp(argv[1], "--child") == 0) return Child(argc, argv, program);
    if (argc >= 2 && std::strcmp(argv[1], "--header") == 0) {
        PrintHeader();
        return 0;
    }
    std::string base = Env("TMPDIR").empty() ? "/tmp" : Env("TMPDIR");
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::isdigit(static_cast<unsigned char>(argv[i][0])))
            sizes.push_back(std::size_t(std::strtoull(argv[i], nullptr, 10)));
        else
            base = argv[i];
    }
    if (sizes.empty()) {
        sizes = program.sizes;
        if (Env("BENCH_LARGE") == "1")
            sizes.insert(sizes.end(), program.largeSizes.begin(), program.largeSizes.end());
    }
    std::string folder = base + "/bench_" + program.name + "_XXXXXX";
    if (!::mkdtemp(folder.data())) Fail("mkdtemp " + folder);
    folder += '/';
    if (program.setup) program.setup(folder);
    if (Env("BENCH_HEADER") != "0") PrintHeader();
    bool ok = true;
    for (const std::size_t size : sizes) {
        std::vector<Path> paths = program.paths(folder, size);
        std::erase_if(paths, [](const Path& p) { return !Selected(p.name); });
        if (paths.empty()) continue;
        std::fprintf(stderr, "bench_%s: data of size %s...\n", program.name.c_str(), Grouped(size).c_str());
        if (program.data) {
            std::printf("%-11s data: %s\n", program.name.c_str(), program.data(folder, size).c_str());
            std::fflush(stdout);
        }
        for (const Path& p : paths) {
            std::fprintf(stderr, "bench_%s: %s, %s\n", program.name.c_str(), p.name.c_str(),
                         Grouped(size).c_str());
            ok = Measure(program, folder, size, p) && ok;
        }
        ClearFolder(folder);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return ok ? 0 : 1;
}

} // namespace bench
