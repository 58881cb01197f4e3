#include "tools/install/Install.h"

#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("dorneval-install-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        folder = dir.string() + "/";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::string folder;
};

} // namespace

TEST_F(TempFolder, StoreHoldsTheFirstAccessPasswordAndIsNeverOverwritten) {
    ASSERT_TRUE(install::InstallPasswordStore(folder));
    std::string store = rtl::ReadWholeFile(folder + "unins000.dll");
    // "DORNEVAL" scrambled, worked out apart from the code.
    EXPECT_EQ(store, "[Accesso]\r\nValore=52BE762D0660033F\r\n");

    rtl::WriteWholeFile(folder + "unins000.dll", "[Accesso]\r\nValore=57\r\n");
    EXPECT_FALSE(install::InstallPasswordStore(folder));
    EXPECT_EQ(rtl::ReadWholeFile(folder + "unins000.dll"), "[Accesso]\r\nValore=57\r\n");
}
