#pragma once
// Italian for Qt's own dialogs: Qt's catalogues, and the texts they lack.
#include <QTranslator>
#include <memory>
#include <vector>

namespace qtbackend {

// The texts of Qt's standard dialogs (open, save, print) that Qt's Italian
// catalogue lacks, in Italian, by context and source text.
class ItalianSupplement : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Makes Italian the default locale and installs Qt's Italian catalogues and
// after them the supplement, which is asked first and answers only its own
// texts. The translators stay installed while the returned objects live.
std::vector<std::unique_ptr<QTranslator>> InstallItalianTranslations();

} // namespace qtbackend
