#pragma once
// A small writer of plain PDF documents: A4 pages of text in the standard
// Helvetica fonts with the WinAnsi encoding, so no font is embedded. Texts are
// given in windows-1252 bytes; paragraphs are wrapped to the page width.
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

class TextDocument {
public:
    // A heading in bold, starting a new page unless the page is still empty.
    void Heading(std::string_view text);
    // A wrapped paragraph followed by a blank line.
    void Paragraph(std::string_view text);
    // The whole file.
    std::string Write() const;

    // Width in points of a windows-1252 text at the given size.
    static double TextWidth(std::string_view text, double size, bool bold);

private:
    struct Line { double x, y, size; bool bold; std::string text; };
    void NewPage();
    void Put(std::string_view text, double size, bool bold, double leading);
    std::vector<std::vector<Line>> pages_;
    double y_ = 0;
};

} // namespace pdf
