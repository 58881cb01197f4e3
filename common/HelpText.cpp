#include "common/HelpText.h"

#include "platform/rtl/Resources.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace {

// The manual's chapters by resource: the general help, then the work areas
// as the start menu shows their tiles (vehicles, deadlines, planner, drivers,
// trip sheets, gate register).
const std::initializer_list<std::initializer_list<std::string_view>> Chapters = {
    {"shell/Avvio.help"},
    {"vehicles/Autoparco.help", "vehicles/ExpAutoparco.help"},
    {"vehicles/MenuScadenze.help"},
    {"planner/Planning.help"},
    {"drivers/Anagrafica.help", "drivers/ExpAnagrafica.help"},
    {"tripsheets/Fogli.help", "tripsheets/ExpFogli.help"},
    {"gate/Registro.help", "gate/ExpVisite.help", "gate/Statistiche.help"},
};

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool IsHelpResource(std::string_view name) {
    constexpr std::string_view ext = ".help";
    return name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext;
}

} // namespace

std::string HelpTopic::Text() const {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) out += "\r\n\r\n";
        out += paragraphs[i];
    }
    return out;
}

HelpTopic ParseHelpTopic(std::string_view file) {
    HelpTopic topic;
    bool haveTitle = false;
    bool inParagraph = false;
    while (!file.empty()) {
        std::size_t nl = file.find('\n');
        std::string_view line = TrimBlanks(file.substr(0, nl));
        file.remove_prefix(nl == std::string_view::npos ? file.size() : nl + 1);
        if (!haveTitle) {
            if (line.empty()) continue;
            topic.title = line;
            haveTitle = true;
        } else if (line.empty()) {
            inParagraph = false;
        } else if (inParagraph) {
            topic.paragraphs.back() += ' ';
            topic.paragraphs.back() += line;
        } else {
            topic.paragraphs.emplace_back(line);
            inParagraph = true;
        }
    }
    return topic;
}

HelpTopic LoadHelpTopic(std::string_view resource) {
    auto data = res::Find(resource);
    if (!data) throw std::runtime_error("help topic not found: " + std::string(resource));
    return ParseHelpTopic(*data);
}

std::vector<std::vector<HelpTopic>> HelpChapters() {
    std::vector<std::string> others;
    for (auto& n : res::Names())
        if (IsHelpResource(n)) others.push_back(n);
    std::sort(others.begin(), others.end());
    std::vector<std::vector<HelpTopic>> chapters;
    for (const auto& resources : Chapters) {
        std::vector<HelpTopic> chapter;
        for (std::string_view r : resources) {
            auto it = std::find(others.begin(), others.end(), r);
            if (it == others.end()) continue; // an area built without its help
            others.erase(it);
            chapter.push_back(LoadHelpTopic(r));
        }
        if (!chapter.empty()) chapters.push_back(std::move(chapter));
    }
    for (const std::string& n : others)
        chapters.push_back({LoadHelpTopic(n)});
    return chapters;
}

std::vector<HelpTopic> AllHelpTopics() {
    std::vector<HelpTopic> topics;
    for (auto& chapter : HelpChapters())
        for (auto& t : chapter)
            topics.push_back(std::move(t));
    return topics;
}
