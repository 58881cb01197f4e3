#include "tools/install/Pdf.h"

#include <cstdio>

namespace pdf {

namespace {

constexpr double PageWidth = 595, PageHeight = 842, Margin = 56;
constexpr double BodySize = 11, HeadingSize = 16;

// Advance widths of Helvetica (thousandths of the size) for codes 32 to 126.
constexpr short Ascii[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P to _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` to o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p to ~

// Letters of the upper half take the width of their base letter.
double CharWidth(unsigned char c) {
    if (c >= 32 && c <= 126) return Ascii[c - 32];
    if (c >= 0xC0 && c <= 0xC5) return Ascii['A' - 32];
    if (c >= 0xC8 && c <= 0xCB) return Ascii['E' - 32];
    if (c >= 0xCC && c <= 0xCF) return Ascii['I' - 32];
    if (c >= 0xD2 && c <= 0xD6) return Ascii['O' - 32];
    if (c >= 0xD9 && c <= 0xDC) return Ascii['U' - 32];
    if (c >= 0xE0 && c <= 0xE5) return Ascii['a' - 32];
    if (c >= 0xE8 && c <= 0xEB) return Ascii['e' - 32];
    if (c >= 0xEC && c <= 0xEF) return Ascii['i' - 32];
    if (c >= 0xF2 && c <= 0xF6) return Ascii['o' - 32];
    if (c >= 0xF9 && c <= 0xFC) return Ascii['u' - 32];
    return 556;
}

// A text as a PDF string literal; bytes outside printable ASCII as octal.
std::string Literal(std::string_view text) {
    std::string out = "(";
    for (unsigned char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

} // namespace

double TextDocument::TextWidth(std::string_view text, double size, bool bold) {
    double w = 0;
    for (unsigned char c : text) w += CharWidth(c);
    // The bold face runs a little wider than the regular one.
    return w * size / 1000.0 * (bold ? 1.06 : 1.0);
}

void TextDocument::NewPage() {
    pages_.emplace_back();
    y_ = PageHeight - Margin;
}

void TextDocument::Put(std::string_view text, double size, bool bold, double leading) {
    const double width = PageWidth - 2 * Margin;
    std::string line;
    auto flush = [&] {
        if (pages_.empty() || y_ - leading < Margin) NewPage();
        y_ -= leading;
        pages_.back().push_back({Margin, y_, size, bold, line});
        line.clear();
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty()) continue;
        std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && TextWidth(candidate, size, bold) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) flush();
}

void TextDocument::Heading(std::string_view text) {
    if (pages_.empty() || !pages_.back().empty()) NewPage();
    Put(text, HeadingSize, true, HeadingSize * 1.4);
    y_ -= BodySize;
}

void TextDocument::Paragraph(std::string_view text) {
    Put(text, BodySize, false, BodySize * 1.4);
    y_ -= BodySize * 0.7;
}

std::string TextDocument::Write() const {
    std::vector<std::vector<Line>> pages = pages_;
    if (pages.empty()) pages.emplace_back();

    std::vector<std::string> objects; // object k+1 is objects[k]
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back(""); // page tree, filled below
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
    std::string kids;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::string content;
        for (const Line& l : pages[p])
            content += "BT /" + std::string(l.bold ? "F2 " : "F1 ") + Number(l.size) + " Tf " + Number(l.x) + " " +
                       Number(l.y) + " Td " + Literal(l.text) + " Tj ET\n";
        std::string footer = "Pagina " + std::to_string(p + 1);
        content += "BT /F1 9 Tf " + Number((PageWidth - TextWidth(footer, 9, false)) / 2) + " " + Number(Margin / 2) +
                   " Td " + Literal(footer) + " Tj ET\n";
        std::size_t pageObj = objects.size() + 1;
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R "
                          "/F2 4 0 R >> >> /Contents " + std::to_string(pageObj + 1) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
        kids += (kids.empty() ? "" : " ") + std::to_string(pageObj) + " 0 R";
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";

    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        offsets.push_back(out.size());
        out += std::to_string(k + 1) + " 0 obj\n" + objects[k] + "\nendobj\n";
    }
    std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t off : offsets) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%010zu 00000 n \n", off);
        out += buf;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return out;
}

} // namespace pdf
