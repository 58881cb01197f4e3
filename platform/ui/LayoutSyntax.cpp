#include "platform/ui/LayoutSyntax.h"

#include <set>
#include <utility>

namespace ui {

namespace {

// Splits one logical line into tokens: bare words, "quoted text", key=value.
std::vector<LayoutToken> Tokenize(std::string_view s, std::string_view source, int line) {
    std::vector<LayoutToken> out;
    std::size_t i = 0;
    auto readValue = [&]() -> std::string {
        std::string v;
        if (i < s.size() && s[i] == '"') {
            ++i;
            for (;;) {
                if (i >= s.size()) FailLayout(source, line, "unterminated quoted text");
                char c = s[i++];
                if (c == '"') break;
                if (c == '\\') {
                    if (i >= s.size()) FailLayout(source, line, "unterminated quoted text");
                    char e = s[i++];
                    switch (e) {
                    case 'n':
                        v += '\n';
                        break;
                    case 'r':
                        v += '\r';
                        break;
                    case 't':
                        v += '\t';
                        break;
                    case '"':
                        v += '"';
                        break;
                    case '\\':
                        v += '\\';
                        break;
                    default:
                        FailLayout(source, line, std::string("unknown escape \\") + e);
                    }
                } else {
                    v += c;
                }
            }
        } else {
            while (i < s.size() && s[i] != ' ' && s[i] != '\t')
                v += s[i++];
        }
        return v;
    };
    for (;;) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i >= s.size()) break;
        if (s[i] == '"') {
            out.push_back({"", readValue()});
            continue;
        }
        std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '=')
            ++i;
        std::string word(s.substr(start, i - start));
        if (i < s.size() && s[i] == '=') {
            ++i;
            out.push_back({word, readValue()});
        } else {
            out.push_back({"", word});
        }
    }
    return out;
}

struct Kind {
    std::string_view word;
    std::string_view className;
};

// The control kinds of a layout and the model classes they create; Layout.cpp
// creates them (a test checks that both agree).
constexpr Kind kinds[] = {
    {"label", "Label"},         {"edit", "Edit"},       {"button", "Button"},     {"picture", "Picture"},
    {"rectangle", "Rectangle"}, {"panel", "Panel"},     {"groupbox", "Panel"},    {"layout", "Panel"},
    {"listbox", "ListBox"},     {"combo", "ComboEdit"}, {"checkbox", "CheckBox"}, {"calendar", "Calendar"},
    {"memo", "Memo"},           {"grid", "StringGrid"}, {"timer", "Timer"},       {"chart", "ChartView"},
};

} // namespace

void FailLayout(std::string_view source, int line, const std::string& what) {
    throw LayoutError(std::string(source) + ":" + std::to_string(line) + ": " + what);
}

std::vector<LayoutLine> SplitLayoutLines(std::string_view text, std::string_view source) {
    std::vector<LayoutLine> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::size_t first = raw.find_first_not_of(" \t");
        if (first == std::string_view::npos || raw[first] == '#') continue;
        auto tokens = Tokenize(raw, source, number);
        if (first > 0 && !lines.empty()) {
            for (auto& t : tokens)
                lines.back().tokens.push_back(std::move(t));
        } else {
            lines.push_back({number, std::move(tokens)});
        }
        if (end == text.size()) break;
    }
    return lines;
}

std::string_view ControlClassOf(std::string_view kind) {
    for (const Kind& k : kinds)
        if (k.word == kind) return k.className;
    return {};
}

std::vector<LayoutControl> LayoutControls(std::string_view text, std::string_view source) {
    std::vector<LayoutControl> out;
    std::set<std::string, std::less<>> names;
    for (auto& l : SplitLayoutLines(text, source)) {
        const LayoutToken& first = l.tokens[0];
        if (!first.key.empty()) FailLayout(source, l.number, "a line starts with its kind");
        const std::string& kind = first.value;
        if (kind == "form" || kind == "item" || kind == "column") continue;
        std::string_view className = ControlClassOf(kind);
        if (className.empty()) FailLayout(source, l.number, "unknown kind: " + kind);
        if (l.tokens.size() < 2 || !l.tokens[1].key.empty())
            FailLayout(source, l.number, kind + " without a name");
        const std::string& name = l.tokens[1].value;
        if (!names.insert(name).second) FailLayout(source, l.number, "duplicate control name: " + name);
        out.push_back({kind, name, std::string(className), l.number});
    }
    return out;
}

} // namespace ui
