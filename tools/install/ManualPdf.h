#pragma once
// The manual as a PDF file, written through cairo with Pango setting the
// text: A4 pages with ordinary margins and the text across the page, the
// title and a contents page whose lines link to their topics, one bookmark
// per topic (the PDF outline, a chapter's other topics below its first),
// every chapter from a new page and the page numbers at the foot. Ligatures
// are off, so the text layer holds the letters as typed and a search for
// "fi" finds "fotografia".
#include <string>
#include <vector>

#include "common/HelpText.h"

namespace install {

// Where a topic's heading lies: the page (from 1) and the distance of the
// heading's top from the top of the page, in points.
struct TopicPlace {
    int page = 0;
    double top = 0;
};

// Writes the manual into `path` through a temporary file beside it, so a
// failed write leaves an existing file as it was, and returns where each
// topic begins, in the order of the chapters and their topics. An empty
// chapter is left out. Throws rtl::FileError when the file cannot be written
// and std::runtime_error when the PDF cannot be made.
std::vector<TopicPlace> WriteManualPdf(const std::string& title,
                                       const std::vector<std::vector<HelpTopic>>& chapters,
                                       const std::string& path);

} // namespace install
