// The settings file "Fogli_di_Marcia.ini" shared by several workstations:
// changes made at once by two processes, and files that are not what they
// should be.
#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/rtl/Files.h"
#include "tests/support/Harness.h"
#include "tripsheets/FoglioRec.h"

namespace {

// Two workstations change the file at once, one the numbering start (as the
// numbering dialog does), the other the issuing office (as the closing of the
// trip-sheet window does). Each reads its own value back after every change:
// a change of the other process made from an older copy of the file would
// bring an older value back.
TEST(Impostazioni, TwoProcessesChangingTheFileAtOnceLoseNoChange) {
    ts::Harness h;
    constexpr int kChanges = 300;
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
            int lost = 0;
            try {
                for (int i = 1; i <= kChanges; ++i) {
                    if (w == 0) {
                        tripsheets::ScriviInizioNumerazione(std::to_string(i));
                        if (tripsheets::InizioNumerazione() != std::to_string(i)) ++lost;
                    } else {
                        tripsheets::ScriviUfficioEmittente("Ufficio " + std::to_string(i));
                        if (tripsheets::UfficioEmittente() != "Ufficio " + std::to_string(i)) ++lost;
                    }
                }
            } catch (...) {
                _exit(2);
            }
            _exit(lost == 0 ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a change was lost; 2: a change failed";
    }
    EXPECT_EQ(tripsheets::InizioNumerazione(), std::to_string(kChanges));
    EXPECT_EQ(tripsheets::UfficioEmittente(), "Ufficio " + std::to_string(kChanges));
    // Two sections of one key each, whichever was written first.
    const std::string file = rtl::ReadWholeFile(h.dataFolder() + "Fogli_di_Marcia.ini");
    const std::string inizio = "[Numerazione Fogli di Marcia]\r\nInizio=" + std::to_string(kChanges) + "\r\n";
    const std::string ufficio =
        "[Fogli di Marcia]\r\nUfficio Emittente=Ufficio " + std::to_string(kChanges) + "\r\n";
    EXPECT_TRUE(file == inizio + ufficio || file == ufficio + inizio) << file;
}

} // namespace
