#pragma once
// The way out to other programs: documents, web pages and mail links are
// handed to the desktop's opener, which starts the user's default program.
#include <string>
#include <string_view>

class TMisc {
public:
    // Opens a document, a web address or a mail link. A path or link in
    // double quotes is passed whole. When no program of the desktop can open
    // it, a message names it and says so.
    static void Open(const std::string& sCommand);
};

// Percent-encodes a text for a URI: every byte but the letters, digits,
// "-", ".", "_", "~" and the characters of `keep` becomes %XX (UTF-8 bytes).
std::string PercentEncode(std::string_view text, std::string_view keep = {});

// "mailto:" + address, with "?subject=" and "&body=" when given, each part
// encoded so that the mail client receives exactly these texts.
std::string MailLink(std::string_view address, std::string_view subject = {}, std::string_view body = {});
