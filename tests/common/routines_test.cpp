#include <gtest/gtest.h>

#include <string>

#include "common/Routines.h"

using namespace common;

TEST(Routines, CutsCountCharacters) {
    EXPECT_EQ(TroncaTesto("Fiat", 20), "Fiat");
    EXPECT_EQ(TroncaTesto("Fiat" + std::string(20, ' '), 20), "Fiat" + std::string(16, ' '));
    EXPECT_EQ(TroncaTesto("Fiat", 0), "");
    EXPECT_EQ(TroncaTesto("Citt\xC3\xA0 di", 5), "Citt\xC3\xA0");
    EXPECT_EQ(CodaTesto("12,5", 2), ",5");
    EXPECT_EQ(CodaTesto("5", 2), "5");
    EXPECT_EQ(CodaTesto("", 2), "");
    EXPECT_EQ(CodaTesto("\xC3\xA8x", 2), "\xC3\xA8x");
    EXPECT_EQ(Mezzo("ABCDEF", 0, 2), "AB");
    EXPECT_EQ(Mezzo("ABCDEF", 5, 10), "EF");
    EXPECT_EQ(Mezzo("ABCDEF", 7, 1), "");
    EXPECT_EQ(Mezzo("\xC3\xA0"
                    "bc",
                    2, 1),
              "b");
}

TEST(Routines, ArrotondaWorksOnTheBinaryValueInExtendedPrecision) {
    struct Case {
        double x;
        int n;
        double expected;
    } cases[] = {
        {2.5, 0, 3.0},          {2.4, 0, 2.0},          {1.005, 2, 1.0},     {2.345, 2, 2.35},
        {2.675, 2, 2.67},       {12.34565, 4, 12.3456}, {-1.236, 2, -1.23},  {0.005, 2, 0.01},
        {1234.567, 2, 1234.57}, {7.77, -1, 8.0},        {12.345, 4, 12.345},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " to " << c.n);
        EXPECT_EQ(Arrotonda(c.x, c.n), c.expected);
    }
}

TEST(Routines, SoloCifreAndDataValida) {
    EXPECT_TRUE(SoloCifre(""));
    EXPECT_TRUE(SoloCifre("0123"));
    EXPECT_FALSE(SoloCifre("01 23"));
    EXPECT_FALSE(SoloCifre("01,23"));
    EXPECT_FALSE(SoloCifre("\xD9\xA3")); // an Arabic-Indic digit is no digit here
    EXPECT_TRUE(DataValida("31/12/2024"));
    EXPECT_TRUE(DataValida("29/02/2024"));
    EXPECT_FALSE(DataValida("31/02/2024"));
    EXPECT_FALSE(DataValida(""));
    EXPECT_FALSE(DataValida("2024-12-31"));
}

TEST(Routines, AmountNormalisation) {
    struct Case {
        const char* in;
        const char* two;
        const char* four;
    } cases[] = {
        {"", "0,00", ""},
        {"   ", "0,00", ""},
        {"12", "12,00", "12,00"},
        {"12,5", "12,50", "12,50"},
        {"12,3", "12,30", "12,30"},
        {"0,005", "0,01", "0,005"},
        {"1234,567", "1234,57", "1234,567"},
        {"12,34565", "12,35", "12,3456"},
        {"12,345", "12,35", "12,345"},
        {"2,675", "2,67", "2,675"},
        {" 7,1 ", "7,10", "7,10"},
        {"abc", "0,00", "0,00"},
        {"1,2,3", "0,00", "0,00"},
        {",", "0,00", "0,00"},
        {"12.5", "0,00", "0,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(NormalizzaImporto2(c.in), c.two);
        EXPECT_EQ(NormalizzaImporto4(c.in), c.four);
    }
}
