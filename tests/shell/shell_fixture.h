#pragma once
// The whole window set on a headless application, started as the program
// starts it, with a temporary data folder.
#include <string>

#include "platform/rtl/Files.h"
#include "shell/Crypt.h"
#include "shell/WindowSet.h"
#include "tests/support/Harness.h"

#include <gtest/gtest.h>

class ShellTest : public ::testing::Test {
protected:
    ts::Harness h;
    WindowSet windows{h.app};

    void SetUp() override { h.app.Run(); }

    std::string StorePath() const { return h.DataFolder() + "unins000.dll"; }
    void WriteStore(const std::string& content) { rtl::WriteWholeFile(StorePath(), content); }
    void StorePassword(const std::string& password) {
        WriteStore("[Accesso]\r\nValore=" + EncodePassword(password) + "\r\n");
    }
};
