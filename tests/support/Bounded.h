#pragma once
// Runs a step of a test that must return, such as a window reading a file
// that may be a FIFO, in a child process with a deadline: a step that waits
// forever fails the test instead of hanging the whole run.
//
//   ts::Bounded([&] {
//       h.ExpectShowMessage("...");
//       h.Click(f.cmdOK);
//       h.Verify();
//   });
//
// The child starts as a copy of the test (windows, data folder, expected
// dialogs) and runs the step with ordinary expectations, which it prints as
// usual; it reports through its exit status only, so whatever the step
// changes in memory stays in the child. Changes to files are seen by the
// parent.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ts {

// Fails the test when the step does not return within `limit` or when one
// of its expectations fails.
inline void Bounded(const std::function<void()>& step,
                    std::chrono::seconds limit = std::chrono::seconds(60)) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ADD_FAILURE() << "fork failed";
        return;
    }
    if (child == 0) {
        int status = 0;
        try {
            step();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "the step raised: %s\n", e.what());
            status = 2;
        } catch (...) {
            std::fprintf(stderr, "the step raised\n");
            status = 2;
        }
        if (::testing::Test::HasFailure()) status = 1;
        std::fflush(nullptr);
        _exit(status);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 || std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ADD_FAILURE() << "the step did not return";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!WIFEXITED(status))
        ADD_FAILURE() << "the step ended by signal " << WTERMSIG(status);
    else if (WEXITSTATUS(status) != 0)
        ADD_FAILURE() << "the step failed in its process (see above)";
}

} // namespace ts
