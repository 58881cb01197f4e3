#include "platform/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace qtbackend {

namespace {

struct Text {
    const char* context;
    const char* source;
    const char* italian;
};

// Found by opening every standard dialog the program uses in Italian and
// reading what Qt's catalogue leaves in English.
constexpr Text kTexts[] = {
    // The type column of the file dialogs.
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "Shortcut", "Collegamento"},
    {"QAbstractFileIconProvider", "Unknown", "Sconosciuto"},
    // The print dialog's options.
    {"QPrintSettingsOutput", "Pages", "Pagine"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
     "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indicare pagine o intervalli separati da virgole. Un intervallo è dato da due numeri separati da un "
     "trattino. Ad esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
    {"QPrintSettingsOutput", "Double Sided Printing", "Stampa fronte-retro"},
    {"QPrintSettingsOutput", "Off", "Disattivata"},
    {"QPrintSettingsOutput", "Long side binding", "Rilegatura sul lato lungo"},
    {"QPrintSettingsOutput", "Short side binding", "Rilegatura sul lato corto"},
    {"QPrintDialog", "Invalid Pages Definition", "Pagine indicate non valide"},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define "
     "ranges and make sure ranges do not intersect with each other.",
     "%1 non è scritto correttamente. Separare pagine e intervalli con ',', indicare un intervallo con '-' "
     "e fare in modo che gli intervalli non si sovrappongano."},
    {"QPrintDialog",
     "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one of those options "
     "off.",
     "Le opzioni 'Pagine per foglio' e 'Insieme di pagine' non possono essere usate insieme.\nDisattivare "
     "una delle due."},
    {"QPrintDialog", "Duplex Settings Conflicts", "Impostazioni fronte-retro in conflitto"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Alcune impostazioni fronte-retro sono in conflitto. Correggerle?"},
    // The printer's properties.
    {"QPrintPropertiesWidget", "Advanced", "Avanzate"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Alcune opzioni sono in conflitto: correggerle."},
    {"QPrintPropertiesDialog", "Advanced Option Conflicts", "Opzioni avanzate in conflitto"},
    {"QPrintPropertiesDialog", "There are conflicts in some advanced options. Do you want to fix them?",
     "Alcune opzioni avanzate sono in conflitto. Correggerle?"},
    {"QPrintPropertiesDialog", "Page Setup Conflicts", "Impostazioni della pagina in conflitto"},
    {"QPrintPropertiesDialog", "There are conflicts in page setup options. Do you want to fix them?",
     "Alcune impostazioni della pagina sono in conflitto. Correggerle?"},
};

} // namespace

QString ItalianSupplement::translate(const char* context, const char* sourceText, const char*, int) const {
    if (!context || !sourceText) return {};
    for (const Text& t : kTexts)
        if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
            return QString::fromUtf8(t.italian);
    return {};
}

std::vector<std::unique_ptr<QTranslator>> InstallItalianTranslations() {
    // The program speaks Italian only: Qt's own dialogs (print, open, save)
    // and its formats follow, whatever the user's locale.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    std::vector<std::unique_ptr<QTranslator>> out;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : {"qtbase", "qt"}) {
        auto t = std::make_unique<QTranslator>();
        if (t->load(italian, QString::fromLatin1(catalogue), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(t.get()))
            out.push_back(std::move(t));
    }
    auto supplement = std::make_unique<ItalianSupplement>();
    if (QCoreApplication::installTranslator(supplement.get())) out.push_back(std::move(supplement));
    return out;
}

} // namespace qtbackend
