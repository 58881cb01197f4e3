// The export files of the vehicle and driver windows compared byte for byte
// with files kept beside this test: archives with accents, characters to
// escape, line breaks, empty fields, damaged bytes and cells edited in the
// grid. The kept files are what the export wrote before its grid read the
// records' own bytes, less the bytes that windows-1252 leaves undefined,
// which the export leaves out since; any change to the file's bytes shows
// here.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "drivers/ConduttoreRec.h"
#include "drivers/ExpAnagrafica.h"
#include "platform/rtl/Files.h"
#include "tests/support/ExportFile.h"
#include "tests/support/Harness.h"
#include "vehicles/ExpAutoparco.h"

namespace {

using Campi = std::vector<std::pair<std::string, std::string>>;

// Appends a record with the fields given (UTF-8, stored as a card stores
// them) and then the raw bytes given at their offsets (a damaged archive).
void Aggiungi(const std::string& path, const common::RecordType& type, const Campi& campi,
              const std::vector<std::pair<std::string, std::string>>& grezzi = {}) {
    common::Record r(type);
    for (const auto& [campo, testo] : campi)
        r.Set(campo, testo);
    for (const auto& [campo, byte] : grezzi) {
        const common::FieldRef f = type.Field(campo);
        std::copy(byte.begin(), byte.end(), r.Bytes().begin() + std::ptrdiff_t(f.offset));
    }
    common::Archivio(path, type).Scrivi("", r);
}

void Esporta(ts::Harness& h, ui::Control& cmdEsporta) {
    h.ExpectMessage(ui::DialogType::Confirmation, ts::kDomandaEsportazione, ui::Answer::Yes);
    h.ExpectMessage(ui::DialogType::Confirmation, ts::kEsportazioneRiuscita, ui::Answer::No);
    h.Click(cmdEsporta);
}

// The file written in the data folder against the kept one of that name.
void ConfrontaConRiferimento(ts::Harness& h, const std::string& nome) {
    const std::string file = rtl::ReadWholeFile(h.DataFolder() + nome);
    const std::string atteso = rtl::ReadWholeFile(std::string(EXPORT_REFERENCE_DIR) + "/" + nome);
    ASSERT_FALSE(atteso.empty());
    const auto diff = std::mismatch(file.begin(), file.end(), atteso.begin(), atteso.end());
    const std::size_t at = std::size_t(diff.first - file.begin());
    EXPECT_TRUE(file == atteso) << "sizes " << file.size() << " and " << atteso.size()
                                << ", first difference at " << at << ": " << file.substr(at, 80) << " | "
                                << atteso.substr(at, 80);
}

TEST(ExportReference, VehicleFileIsByteForByteTheKeptOne) {
    ts::Harness h;
    const std::string archivio = h.DataFolder() + "Parco_Automezzi.pro";
    const common::RecordType& t = common::TAutomezzoRec;
    // Accents (windows-1252 letters and the 0x80 row), entities, line
    // breaks, blanks at both ends, an empty record.
    Aggiungi(archivio, t,
             {{"Tipo", "Autovettura"},
              {"Destinazione", "  Uso proprio  "},
              {"Marca", "Citroën"},
              {"Modello", "C3 “Aircross” – €"},
              {"Targa", "AB123CD"},
              {"Anno", "2019"},
              {"Colore", "Blu notte"},
              {"Pneumatici", "205/55 R16 <estivi> & <invernali>"},
              {"Stato", "Efficiente"},
              {"Proprietario", "Società Œ Š Ž ‰ ™"},
              {"Note", "Prima riga\r\nseconda riga & <b>terza</b>\nquarta"}});
    Aggiungi(archivio, t, {});
    Aggiungi(archivio, t,
             {{"Tipo", "Furgone"},
              {"Marca", "Iveco"},
              {"Modello", "Daily"},
              {"Targa", "ZZ999ZZ"},
              {"Autista", "Niccolò Forlì"},
              {"ScadBollo", "31/12/2026"},
              {"Note", std::string(255, 'x')}});
    // A damaged record: control characters, DEL at the ends, a byte the code
    // page leaves undefined, a length byte beyond the field's capacity.
    Aggiungi(archivio, t, {{"Targa", "XX000XX"}},
             {{"Tipo", std::string("\x08"
                                   "Fur\0g\x01one",
                                   10)},
              {"Marca", "\x06\x7F"
                        "Fiat\x7F"},
              {"Modello", "\x05\x81\x8D\x9D\xA0\xFF"},
              {"Colore", "\xFF"
                         "Rosso"}});

    TfrmExpAutoparco w(h.app);
    w.Show();
    ASSERT_EQ(w.grdRecords.RowCount(), 4);
    // Editable cells typed over: characters to escape, accents, a cell
    // emptied, and a cell of the empty record.
    h.EditCell(w.grdRecords, 4, 0, "C3 & <Aircross> è");
    h.EditCell(w.grdRecords, 25, 2, "");
    h.EditCell(w.grdRecords, 7, 1, "Grigio  ");
    h.EditCell(w.grdRecords, 16, 3, "Città di Forlì\r\nUfficio");
    Esporta(h, w.cmdEsporta);
    ConfrontaConRiferimento(h, "Parco_Automezzi.xls");
}

// Columns joined from several fields, with a part empty or blank.
TEST(ExportReference, DriverFileIsByteForByteTheKeptOne) {
    ts::Harness h;
    const std::string archivio = h.DataFolder() + "Conducenti.pro";
    const common::RecordType& t = drivers::TConduttoreRec;
    Aggiungi(archivio, t,
             {{"Conducente", "Rossi Mario"},
              {"Cap", "47121"},
              {"Citta", "Forlì"},
              {"Prov", "FC"},
              {"Marca", "Fiat"},
              {"Modello", "Panda & Punto"},
              {"Note", "Turno <notte>\r\nreperibile"},
              {"Ferie", "Sì"}});
    Aggiungi(archivio, t, {{"Conducente", "Bianchi Anna"}, {"Cap", ""}, {"Citta", "Aosta"}, {"Prov", " "}});
    Aggiungi(archivio, t, {});
    Aggiungi(archivio, t, {{"Conducente", "Verdi Luca"}, {"Modello", "Ducato"}, {"Trasferte", "No"}});

    TfrmExpAnagrafica w(h.app);
    w.Show();
    ASSERT_EQ(w.grdRecords.RowCount(), 4);
    h.EditCell(w.grdRecords, 24, 1, "dal 1° agosto & oltre");
    h.EditCell(w.grdRecords, 25, 3, "");
    h.EditCell(w.grdRecords, 25, 2, "  Sì  ");
    Esporta(h, w.cmdEsporta);
    ConfrontaConRiferimento(h, "Conducenti.xls");
}

} // namespace
