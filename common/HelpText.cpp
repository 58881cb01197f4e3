#include "common/HelpText.h"

#include "platform/rtl/Resources.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view GeneralHelp = "shell/Avvio.help";

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
    auto data = res::find(resource);
    if (!data) throw std::runtime_error("help topic not found: " + std::string(resource));
    return ParseHelpTopic(*data);
}

std::vector<HelpTopic> AllHelpTopics() {
    std::vector<std::string> names;
    for (auto& n : res::names())
        if (IsHelpResource(n)) names.push_back(n);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if ((a == GeneralHelp) != (b == GeneralHelp)) return a == GeneralHelp;
        return a < b;
    });
    std::vector<HelpTopic> topics;
    for (auto& n : names)
        topics.push_back(LoadHelpTopic(n));
    return topics;
}
