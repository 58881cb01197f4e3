#include "common/HelpText.h"

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
