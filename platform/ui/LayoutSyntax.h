#pragma once
// The lines of a layout file (see Layout.h) read as text: logical lines of
// tokens, and the controls they declare with their kinds. LoadLayout builds a
// window from these lines; the build reads the same lines to generate each
// window's control members, so both agree on every name and kind. Nothing
// here depends on the rest of the form model.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A malformed layout, or a control that a window asks for is missing or of
// another kind.
class LayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct LayoutToken {
    std::string key; // empty for a positional value
    std::string value;
};

// One logical line: the continuation lines (starting with a blank) joined to
// it. `number` is the line number of its first physical line.
struct LayoutLine {
    int number = 0;
    std::vector<LayoutToken> tokens;
};

// Throws LayoutError "<source>:<line>: <what>".
[[noreturn]] void FailLayout(std::string_view source, int line, const std::string& what);

// The logical lines of a layout text, comments and blank lines left out.
std::vector<LayoutLine> SplitLayoutLines(std::string_view text, std::string_view source);

// The model class ("Edit") that a control kind ("edit") creates, or empty for
// a word that is not a control kind.
std::string_view ControlClassOf(std::string_view kind);

// A control that a layout declares.
struct LayoutControl {
    std::string kind;      // "edit"
    std::string name;      // "txtTarga"
    std::string className; // "Edit": ui::Edit
    int line = 0;
};

// The controls of a layout text, in the order of their lines. Throws
// LayoutError for a line without a kind or name, an unknown kind or a
// duplicate name.
std::vector<LayoutControl> LayoutControls(std::string_view text, std::string_view source = "layout");

} // namespace ui
