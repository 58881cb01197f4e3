#pragma once
// Help topics kept as text files beside the windows that show them
// ("shell/Avvio.help"), embedded into the program. A file holds the topic's
// title on its first line, then its paragraphs separated by empty lines (the
// lines of one paragraph are joined with a blank). The help window and the
// manual "Guida.pdf" are both made from these files.
#include <string>
#include <string_view>
#include <vector>

struct HelpTopic {
    std::string title;
    std::vector<std::string> paragraphs;

    // The paragraphs joined by CR LF CR LF, as the help window shows them.
    std::string Text() const;
};

HelpTopic ParseHelpTopic(std::string_view file);

// The embedded topic of that name; throws std::runtime_error when missing.
HelpTopic LoadHelpTopic(std::string_view resource);

// The chapters of the manual: the general help, then one chapter per work
// area in the order of the start menu's tiles. A chapter's first topic is the
// area's own; its other topics (the export, the statistics) follow it. An
// embedded topic that no area claims comes last, as a chapter of its own, so
// the manual never leaves one out.
std::vector<std::vector<HelpTopic>> HelpChapters();

// Every embedded topic ("*.help"), in the order of the manual's chapters.
std::vector<HelpTopic> AllHelpTopics();
