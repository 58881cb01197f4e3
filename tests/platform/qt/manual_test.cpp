// The manual written as PDF through Qt: fonts embedded, a table of contents
// with the page of every topic, each topic from a new page.
#include "common/HelpText.h"
#include "platform/qt/TextPdf.h"
#include "platform/rtl/Files.h"
#include "tests/platform/qt/QtApp.h"
#include "tools/install/Install.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <unistd.h>

namespace {

struct Manual : ::testing::Test {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("dorneval-manual-" + std::to_string(getpid()));
    std::string folder = dir.string() + "/";
    void SetUp() override {
        qtApp();
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

int count(const std::string& text, const std::regex& re) {
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

// The number of pages in the PDF's page tree.
int pages(const std::string& pdf) {
    return count(pdf, std::regex(R"(/Type\s*/Page[^s])"));
}

} // namespace

TEST_F(Manual, ContentsGiveThePageOfEverySectionAndFontsAreEmbedded) {
    std::vector<qtbackend::TextSection> sections = {
        {"Uno sguardo a Dorneval", {"Benvenuti: qui si spiega perché e come."}},
        {"Scadenze imminenti", {}},
        {"Città e età", {"à è é ì ò ù €"}},
    };
    for (int i = 0; i < 300; ++i)
        sections[1].paragraphs.push_back(
            "Un paragrafo lungo abbastanza da riempire più di una riga della pagina, "
            "così che le pagine si moltiplichino.");
    std::vector<int> contents;
    ASSERT_TRUE(qtbackend::writeSectionsPdf("Guida di prova", sections, folder + "Guida.pdf", &contents));
    const std::string pdf = rtl::ReadWholeFile(folder + "Guida.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // The contents on page 1, then each section from a new page; the long one runs over several.
    ASSERT_EQ(contents.size(), 3u);
    EXPECT_EQ(contents[0], 2);
    EXPECT_EQ(contents[1], 3);
    EXPECT_GT(contents[2], 5);
    EXPECT_EQ(pages(pdf), contents[2]);
    // Every font is embedded (TrueType programs in the file), none left to the reader.
    EXPECT_GT(count(pdf, std::regex("/FontFile2")), 0);
    EXPECT_EQ(count(pdf, std::regex(R"(/Type\s*/FontDescriptor)")), count(pdf, std::regex("/FontFile2")));
}

TEST_F(Manual, FailedWriteReportsAndLeavesNoFile) {
    EXPECT_FALSE(qtbackend::writeSectionsPdf("Guida", {{"Titolo", {"testo"}}}, folder + "manca/Guida.pdf"));
    EXPECT_FALSE(rtl::FileExists(folder + "manca/Guida.pdf"));
}

TEST_F(Manual, InstallationWritesEveryHelpTopicAndKeepsThePasswordStore) {
    rtl::WriteWholeFile(folder + "unins000.dll", "[Accesso]\r\nValore=57\r\n");
    install::InstallPasswordStore(folder);
    install::InstallManual(folder);
    EXPECT_EQ(rtl::ReadWholeFile(folder + "unins000.dll"), "[Accesso]\r\nValore=57\r\n");
    const std::string pdf = rtl::ReadWholeFile(folder + "Guida.pdf");
    EXPECT_GT(count(pdf, std::regex("/FontFile2")), 0);
    EXPECT_GT(pages(pdf), int(AllHelpTopics().size())); // the contents, then a page or more per topic
}
