#include "common/HelpText.h"

#include "platform/rtl/Resources.h"

#include <gtest/gtest.h>

TEST(HelpText, ParsesTitleAndParagraphsOfAFile) {
    // CR LF line ends, a paragraph over two lines, several empty lines.
    HelpTopic t = ParseHelpTopic("\r\nTitolo della guida\r\n\r\nPrimo paragrafo\r\nsu due righe.\r\n\r\n\r\n"
                                 "  Secondo.  \r\n");
    EXPECT_EQ(t.title, "Titolo della guida");
    ASSERT_EQ(t.paragraphs.size(), 2u);
    EXPECT_EQ(t.paragraphs[0], "Primo paragrafo su due righe.");
    EXPECT_EQ(t.Text(), "Primo paragrafo su due righe.\r\n\r\nSecondo.");
}

TEST(HelpText, GeneralHelpComesFirstWithItsSixtyFiveParagraphs) {
    auto topics = AllHelpTopics();
    ASSERT_FALSE(topics.empty());
    const HelpTopic& general = topics.front();
    EXPECT_EQ(general.title, "Uno sguardo a Dorneval");
    ASSERT_EQ(general.paragraphs.size(), 65u);
    std::string text = general.Text();
    EXPECT_EQ(text.substr(0, 8), "Dorneval");
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos);
    EXPECT_NE(text.back(), '\n');
    // The paragraph on the access names the password of the first access.
    EXPECT_NE(general.paragraphs[62].find("DORNEVAL"), std::string::npos);
}

// The manual: the general help, then the work areas in the order of the start
// menu's tiles, each area's exports and statistics beside its own topic; every
// embedded topic once.
TEST(HelpText, ManualChaptersFollowTheStartMenuAndHoldEveryTopic) {
    const std::vector<std::vector<std::string>> expected = {
        {"Uno sguardo a Dorneval"},
        {"App Parco Automezzi", "Esportazione archivio veicoli in Microsoft Excel"},
        {"App Scadenze Imminenti"},
        {"App Planner Prenotazioni"},
        {"App Archivio Conduttori", "Esportazione archivio conduttori in Excel"},
        {"App Gestione Fogli di Marcia", "Esportazione archivio Fogli di Marcia in Excel"},
        {"App Registro Visitatori", "Esportazione archivio ingressi e uscite veicoli in Excel",
         "Grafici statistici dei transiti dei veicoli"},
    };
    std::vector<std::vector<std::string>> titles;
    std::size_t topics = 0;
    for (const auto& chapter : HelpChapters()) {
        titles.emplace_back();
        for (const HelpTopic& t : chapter) {
            titles.back().push_back(t.title);
            EXPECT_FALSE(t.paragraphs.empty()) << t.title;
            ++topics;
        }
    }
    EXPECT_EQ(titles, expected);
    std::size_t embedded = 0;
    for (const std::string& name : res::Names())
        embedded += name.ends_with(".help");
    EXPECT_EQ(topics, embedded);
    EXPECT_EQ(AllHelpTopics().size(), embedded);
}
