#include "platform/rtl/Date.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

using namespace rtl;

TEST(Numbers, ParseDecimalWithComma) {
    const struct {
        const char* text;
        double value;
    } good[] = {
        {"12", 12},      {"12,5", 12.5}, {",5", 0.5},      {" -3 ", -3},
        {"+2,25", 2.25}, {"0,1", 0.1},   {"1,005", 1.005}, {"1,5E3", 1500},
        {"2e-2", 0.02},  {"007", 7},     {"12,", 12},      {"\t4,75\r\n", 4.75},
    };
    for (const auto& c : good) {
        const auto v = ParseDecimal(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text; // the nearest double, exactly
    }
    for (const char* bad :
         {"", " ", ",", "1,2,3", "1,,5", "1.5", "1 000", "abc", "12a", "1e", "+", "-", "--1", "1,5E", "e5"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(Numbers, ParseInteger) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" 7 "), 7);
    EXPECT_EQ(ParseInteger("-3"), -3);
    EXPECT_EQ(ParseInteger("+5"), 5);
    EXPECT_EQ(ParseInteger("007"), 7);
    for (const char* bad : {"", "-", "1,5", "12a", "1 2", "99999999999999999999", "0x10"})
        EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
}

TEST(Numbers, FormatFixedUsesCommaAndExactDecimals) {
    const struct {
        double x;
        int decimals;
        const char* text;
    } cases[] = {
        {2.5, 2, "2,50"},    {1234.567, 2, "1234,57"}, {0, 0, "0"},        {12, 0, "12"}, {-1.5, 1, "-1,5"},
        {-0.001, 2, "0,00"}, {1e6, 2, "1000000,00"},   {2.675, 2, "2,67"}, // the double lies just below 2,675
        {0.1, 4, "0,1000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed(c.x, c.decimals), c.text) << c.x;
}

TEST(Numbers, FormatGeneralDropsTrailingZeros) {
    const struct {
        double x;
        const char* text;
    } cases[] = {
        {12.5, "12,5"},
        {12, "12"},
        {0.005, "0,005"},
        {1234.57, "1234,57"},
        {-2.25, "-2,25"},
        {0.1 + 0.2, "0,3"},
        {0, "0"},
        {1.5e20, "1,5E20"},
        {1e-5, "1E-5"},
        {0.0001, "0,0001"},
        {123456789012345678.0, "1,23456789012346E17"},
        {100000000000000.0, "100000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.x), c.text) << c.x;
}

namespace {

// Switches the process to a German locale (decimal comma in the C library, a
// different date order) and a far time zone, and back again.
class ForeignEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        SaveEnv("TZ", oldTz_);
        SaveEnv("LC_ALL", oldLcAll_);
        SaveEnv("LANG", oldLang_);
        SaveEnv("LOCPATH", oldLocPath_);
        setenv("TZ", "Pacific/Kiritimati", 1);
        setenv("LANG", "de_DE.UTF-8", 1);
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        localeSet_ = std::setlocale(LC_ALL, "") != nullptr;
        if (!localeSet_) {
            // Not installed on this machine: build it in a private folder.
            locDir_ = std::filesystem::temp_directory_path() / ("rtl-locale-" + std::to_string(getpid()));
            std::filesystem::create_directories(locDir_);
            const std::string cmd =
                "localedef -i de_DE -f UTF-8 '" + (locDir_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
            if (std::system(cmd.c_str()) == 0) {
                setenv("LOCPATH", locDir_.c_str(), 1);
                localeSet_ = std::setlocale(LC_ALL, "") != nullptr;
            }
        }
        tzset();
    }
    void TearDown() override {
        RestoreEnv("TZ", oldTz_);
        RestoreEnv("LC_ALL", oldLcAll_);
        RestoreEnv("LANG", oldLang_);
        RestoreEnv("LOCPATH", oldLocPath_);
        std::setlocale(LC_ALL, "C");
        tzset();
        if (!locDir_.empty()) std::filesystem::remove_all(locDir_);
    }
    bool localeSet_ = false;

private:
    static void SaveEnv(const char* name, std::optional<std::string>& slot) {
        if (const char* v = std::getenv(name)) slot = v;
    }
    static void RestoreEnv(const char* name, const std::optional<std::string>& slot) {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }
    std::optional<std::string> oldTz_, oldLcAll_, oldLang_, oldLocPath_;
    std::filesystem::path locDir_;
};

} // namespace

TEST_F(ForeignEnvironment, NumbersAndDatesIgnoreLocaleAndTimeZone) {
    if (!localeSet_) GTEST_SKIP() << "no German locale can be set up here";
    // The C library now writes 1234,5 and reads "1,5" as 1.5: our routines
    // must keep answering exactly as under the plain C locale.
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(FormatFixed(1234.5, 2), "1234,50");
    EXPECT_EQ(FormatGeneral(0.25), "0,25");
    EXPECT_EQ(ParseDecimal("1,5"), 1.5);
    EXPECT_FALSE(ParseDecimal("1.5").has_value());
    EXPECT_EQ(ParseInteger("1.000"), std::nullopt);
    const auto d = ParseDate("29/02/2000");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(FormatDate(*d), "29/02/2000");
    EXPECT_EQ(d->DayOfWeek(), 2); // a Tuesday, whatever the zone
    EXPECT_EQ(d->Serial(), Date::FromYmd(2000, 2, 29)->Serial());
    EXPECT_FALSE(IsValidDate("2000-02-29"));
    EXPECT_FALSE(IsValidDate("29.02.2000"));
}
