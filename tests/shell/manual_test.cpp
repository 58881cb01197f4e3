// The manual as a PDF viewer reads it: A4 pages with the text across the
// page, a contents page whose lines link to their topics, one bookmark per
// topic, every font embedded, and a text layer that holds every paragraph as
// written (no ligature glyphs), so a search finds what the help says.
#include "common/HelpText.h"
#include "platform/rtl/Files.h"
#include "tests/support/PdfFile.h"
#include "tools/install/Install.h"
#include "tools/install/ManualPdf.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <unistd.h>

namespace {

struct Manual : ::testing::Test {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("dorneval-manual-" + std::to_string(getpid()));
    std::string folder = dir.string() + "/";
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

// A text without its blanks and line breaks: where a line breaks is the
// layout's business, the words and their letters are not.
std::string Squeeze(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') out += c;
    return out;
}

// The text of the whole document as read, without the page numbers at the foot.
std::string BodyText(const ts::pdf::Document& d) {
    std::string all;
    for (const auto& p : d.pages)
        all += std::regex_replace(p.text, std::regex(R"(Pagina \d+ di \d+)"), "") + "\n";
    return all;
}

// The ligature characters (U+FB00 to U+FB06, "ﬀ" to "ﬆ") found in a text.
int Ligatures(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i + 2 < text.size(); ++i)
        n += text[i] == '\xEF' && text[i + 1] == '\xAC' && (unsigned char)text[i + 2] <= 0x86;
    return n;
}

// The layout facts every manual must show, whatever its topics.
void ExpectPrintedManualLayout(const ts::pdf::Document& d) {
    ASSERT_FALSE(d.pages.empty());
    for (std::size_t i = 0; i < d.pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const ts::pdf::Page& p = d.pages[i];
        EXPECT_NEAR(p.width, 595.3, 1); // A4 portrait, in points
        EXPECT_NEAR(p.height, 841.9, 1);
        // The text runs across the page from a margin at the top, not in a
        // narrow column a quarter of the way down.
        EXPECT_GE((p.textExtent.right - p.textExtent.left) / p.width, 0.6);
        EXPECT_LT(p.textExtent.top / p.height, 0.15);
        EXPECT_GT(p.textExtent.left, 0.08 * p.width); // ordinary margins, none too small
        EXPECT_LT(p.textExtent.right, 0.92 * p.width);
        EXPECT_NE(p.text.find("Pagina " + std::to_string(i + 1) + " di " + std::to_string(d.pages.size())),
                  std::string::npos);
    }
    EXPECT_FALSE(d.fonts.empty());
    EXPECT_TRUE(d.fontsNotEmbedded.empty()) << d.fontsNotEmbedded.front();
}

// One bookmark and one contents link per topic, in order: the bookmark named
// after the topic, a chapter's first topic at the top level and the others
// below it; the link on a contents page, over the topic's title and the page
// number it shows, leading to the page where the topic's heading stands.
void ExpectBookmarksAndLinks(const ts::pdf::Document& d,
                             const std::vector<std::vector<HelpTopic>>& chapters) {
    std::vector<const ts::pdf::Link*> contents;
    for (const auto& l : d.links)
        if (l.targetPage > 0) contents.push_back(&l);
    std::sort(contents.begin(), contents.end(), [](const ts::pdf::Link* a, const ts::pdf::Link* b) {
        return std::pair(a->page, a->area.top) < std::pair(b->page, b->area.top);
    });
    std::size_t k = 0;
    for (const auto& chapter : chapters)
        for (std::size_t t = 0; t < chapter.size(); ++t, ++k) {
            const std::string& title = chapter[t].title;
            SCOPED_TRACE(title);
            ASSERT_LT(k, d.outline.size());
            ASSERT_LT(k, contents.size());
            const ts::pdf::Bookmark& b = d.outline[k];
            EXPECT_EQ(b.title, title);
            EXPECT_EQ(b.depth, t == 0 ? 0 : 1);
            ASSERT_GE(b.page, 1);
            ASSERT_LE(b.page, int(d.pages.size()));
            const ts::pdf::Page& target = d.pages[b.page - 1];
            EXPECT_NE(Squeeze(target.text).find(Squeeze(title)), std::string::npos);
            EXPECT_GE(b.top, 0);
            EXPECT_LT(b.top, target.height);

            const ts::pdf::Link& l = *contents[k];
            EXPECT_LT(l.page, b.page); // the contents come first
            EXPECT_EQ(l.targetPage, b.page);
            EXPECT_NEAR(l.targetTop, b.top, 1);
            const std::string under = Squeeze(l.text);
            EXPECT_EQ(under, Squeeze(title) + std::to_string(b.page)) << l.text;
        }
    EXPECT_EQ(d.outline.size(), k);
    EXPECT_EQ(contents.size(), k);
}

} // namespace

// The font configuration keeps its caches for the life of the process, which
// the leak checker of sanitizer builds would report; our own allocations are
// still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

TEST_F(Manual, ContentsBookmarksAndPagesOfChaptersAndTheirTopics) {
    const std::vector<std::vector<HelpTopic>> chapters = {
        {{"Uno sguardo a Dorneval",
          {"Benvenuti: qui si spiega perché e come si tiene il parco automezzi, con la fotografia di ogni "
           "veicolo e le sue scadenze."}}},
        {{"Scadenze imminenti", {}},
         {"Città e età",
          {"à è é ì ò ù € ﬁ", "L'ufficio verifica le finestre delle scadenze e aggiorna la scheda del "
                              "veicolo appena il pagamento è stato fatto."}}},
        {{"Fogli di marcia",
          {"Un paragrafo di due righe, perché anche una pagina con poco testo lo mostri steso da un "
           "margine all'altro della pagina."}}},
    };
    std::vector<std::vector<HelpTopic>> long_ = chapters;
    for (int i = 0; i < 300; ++i)
        long_[1][0].paragraphs.push_back(
            "Un paragrafo lungo abbastanza da riempire più di una riga della pagina, "
            "così che le pagine si moltiplichino e la guida continui a lungo.");
    const std::vector<install::TopicPlace> places =
        install::WriteManualPdf("Guida di prova", long_, folder + "Guida.pdf");
    const ts::pdf::Document d = ts::pdf::Read(folder + "Guida.pdf");

    // The title and contents on page 1; each chapter from a new page, the
    // long one over several; a chapter's second topic right after its first.
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0].page, 2);
    EXPECT_EQ(places[1].page, 3);
    EXPECT_GT(places[2].page, 5);
    EXPECT_EQ(places[3].page, places[2].page + 1);
    EXPECT_EQ(int(d.pages.size()), places[3].page);
    EXPECT_NE(d.pages[0].text.find("Guida di prova"), std::string::npos);
    EXPECT_NE(d.pages[0].text.find("Indice"), std::string::npos);
    // The second topic of a chapter does not start a page of its own: the
    // first topic's last paragraphs stand above it.
    EXPECT_GT(places[2].top, 100);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i != 2) {
            EXPECT_LT(places[i].top, 100) << i;
        }
    }

    ExpectPrintedManualLayout(d);
    ExpectBookmarksAndLinks(d, long_);
    const ts::pdf::Check strict = ts::pdf::StrictCheck(folder + "Guida.pdf");
    EXPECT_TRUE(strict.wellFormed) << strict.report;
    EXPECT_TRUE(d.outline[1].open); // a chapter with topics below it shows them
    EXPECT_FALSE(d.outline[0].open);

    // Accents, the euro sign and a ligature character typed in the text come
    // back as written; the letters "f" and "i" as two letters.
    const std::string text = BodyText(d);
    EXPECT_NE(Squeeze(text).find("àèéìòù€ﬁ"), std::string::npos);
    EXPECT_EQ(Ligatures(text), 1);
    for (const char* word : {"fotografia", "ufficio", "finestre"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
}

TEST_F(Manual, FailedWriteReportsAndLeavesNoFile) {
    EXPECT_THROW(install::WriteManualPdf("Guida", {{{"Titolo", {"testo"}}}}, folder + "manca/Guida.pdf"),
                 rtl::FileError);
    EXPECT_FALSE(rtl::FileExists(folder + "manca/Guida.pdf"));
}

// The manual of the installation: every help topic by work area, each
// paragraph in the text layer as written, the password store left alone.
TEST_F(Manual, InstallationWritesEveryHelpTopicAndKeepsThePasswordStore) {
    rtl::WriteWholeFile(folder + "unins000.dll", "[Accesso]\r\nValore=57\r\n");
    install::InstallPasswordStore(folder);
    install::InstallManual(folder);
    EXPECT_EQ(rtl::ReadWholeFile(folder + "unins000.dll"), "[Accesso]\r\nValore=57\r\n");

    const ts::pdf::Document d = ts::pdf::Read(folder + "Guida.pdf");
    const std::vector<std::vector<HelpTopic>> chapters = HelpChapters();
    // A strict reader finds it well formed, cross-references and all.
    const ts::pdf::Check strict = ts::pdf::StrictCheck(folder + "Guida.pdf");
    EXPECT_TRUE(strict.wellFormed) << strict.report;
    ExpectPrintedManualLayout(d);
    ExpectBookmarksAndLinks(d, chapters);

    const std::string text = BodyText(d);
    EXPECT_EQ(Ligatures(text), 0);
    const std::string squeezed = Squeeze(text);
    int paragraphs = 0;
    for (const auto& chapter : chapters)
        for (const HelpTopic& t : chapter)
            for (const std::string& p : t.paragraphs) {
                EXPECT_NE(squeezed.find(Squeeze(p)), std::string::npos) << t.title << ": " << p;
                ++paragraphs;
            }
    EXPECT_GT(paragraphs, 65); // the general help alone has 65
}
