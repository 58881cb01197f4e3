#pragma once
// Documents of headed sections (a manual) written as PDF files through Qt's
// PDF support: A4 pages, the fonts embedded, a table of contents. This header
// includes no Qt header, so build tools can use it.
#include <string>
#include <vector>

namespace qtbackend {

struct TextSection {
    std::string heading;                 // UTF-8
    std::vector<std::string> paragraphs; // UTF-8, one paragraph each
};

// Writes the title, a table of contents giving the page of every heading,
// then each section from a new page, with page numbers at the foot, into a
// PDF file (through a temporary file, so a failed write leaves an existing
// file intact). Creates a Qt application on the offscreen platform for the
// call when none exists. False when the file cannot be written. The pages
// the contents give for the sections go into `contentsPages` when given.
bool writeSectionsPdf(const std::string& title, const std::vector<TextSection>& sections,
                      const std::string& path, std::vector<int>* contentsPages = nullptr);

} // namespace qtbackend
