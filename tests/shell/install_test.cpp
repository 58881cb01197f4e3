#include "tools/install/Install.h"
#include "tools/install/Pdf.h"

#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

// Checks that every entry of the cross-reference table points at its object.
void ExpectConsistentXref(const std::string& file) {
    auto startxref = file.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    std::size_t xref = std::stoul(file.substr(startxref + 10));
    ASSERT_EQ(file.compare(xref, 5, "xref\n"), 0);
    std::size_t pos = file.find('\n', xref + 5) + 1; // after "0 N"
    int count = std::stoi(file.substr(file.find(' ', xref + 5) + 1));
    pos += 20; // the free entry
    for (int k = 1; k < count; ++k, pos += 20) {
        std::size_t off = std::stoul(file.substr(pos, 10));
        std::string head = std::to_string(k) + " 0 obj";
        EXPECT_EQ(file.compare(off, head.size(), head), 0) << "object " << k;
    }
}

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

TEST(Manual, WritesAWellFormedPdfWithWrappedEscapedText) {
    pdf::TextDocument doc;
    doc.Heading("Titolo (primo)");
    std::string para;
    for (int i = 0; i < 1000; ++i) para += "parola\xE8 ";
    doc.Paragraph(para);
    std::string file = doc.Write();
    EXPECT_EQ(file.substr(0, 8), "%PDF-1.4");
    ExpectConsistentXref(file);
    EXPECT_NE(file.find("(Titolo \\(primo\\))"), std::string::npos);
    EXPECT_NE(file.find("/Encoding /WinAnsiEncoding"), std::string::npos);
    EXPECT_NE(file.find("parola\\350"), std::string::npos); // è as octal
    // Every line drawn fits the text width of the page (595 - 2 x 56).
    std::regex line(R"(/F1 11\.00 Tf [0-9.]+ [0-9.]+ Td \((.*)\) Tj)");
    int lines = 0;
    for (auto it = std::sregex_iterator(file.begin(), file.end(), line); it != std::sregex_iterator(); ++it) {
        std::string text = std::regex_replace((*it)[1].str(), std::regex(R"(\\350)"), "\xE8");
        EXPECT_LE(pdf::TextDocument::TextWidth(text, 11, false), 595 - 2 * 56);
        ++lines;
    }
    EXPECT_GT(lines, 10);
    EXPECT_NE(file.find("/Count 2"), std::string::npos); // 1000 words run over a page
}

TEST_F(TempFolder, StoreHoldsTheFirstAccessPasswordAndIsNeverOverwritten) {
    ASSERT_TRUE(install::InstallPasswordStore(folder));
    std::string store = rtl::ReadWholeFile(folder + "unins000.dll");
    // "DORNEVAL" scrambled, worked out apart from the code.
    EXPECT_EQ(store, "[Accesso]\r\nValore=52BE762D0660033F\r\n");

    rtl::WriteWholeFile(folder + "unins000.dll", "[Accesso]\r\nValore=57\r\n");
    EXPECT_FALSE(install::InstallPasswordStore(folder));
    EXPECT_EQ(rtl::ReadWholeFile(folder + "unins000.dll"), "[Accesso]\r\nValore=57\r\n");
}

TEST_F(TempFolder, ManualHoldsEveryHelpTopic) {
    install::InstallManual(folder);
    std::string file = rtl::ReadWholeFile(folder + "Guida.pdf");
    ExpectConsistentXref(file);
    EXPECT_NE(file.find("(Uno sguardo a Dorneval)"), std::string::npos);
    // The general help names the password that the installation stores.
    EXPECT_NE(file.find(install::FirstAccessPassword), std::string::npos);
}
