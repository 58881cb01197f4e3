#pragma once
// The driver card on screen for a test: a main window first (so that closing
// the card does not end the program), the card as the program's single
// instance, shown as the start menu shows it; and drivers written straight
// into "Conducenti.pro".
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "common/Archive.h"
#include "common/Records.h"
#include "drivers/Anagrafica.h"
#include "platform/rtl/Files.h"
#include "tests/support/CardFixture.h"
#include "tests/support/Harness.h"

namespace dt {

using Campi = std::initializer_list<std::pair<const char*, std::string>>;

// Appends a record to the archive.
inline void AggiungiRecord(const common::Record& r) {
    common::Archivio a(rtl::DataPath("Conducenti.pro"), common::TConduttoreRec);
    a.Scrivi("", r);
}

// Appends a driver with the given fields (the others empty) to the archive.
inline void AggiungiConduttore(Campi campi) {
    common::Record r(common::TConduttoreRec);
    for (const auto& [campo, testo] : campi)
        r.Set(campo, testo);
    AggiungiRecord(r);
}

// A driver of the usual shape: name, mobile, make, model, plate, flags.
inline void AggiungiConduttore(const std::string& nome, const std::string& cel, const std::string& marca,
                               const std::string& modello, const std::string& targa,
                               const std::string& ferie = "No", const std::string& trasferte = "No",
                               const std::string& note = "", const std::string& programma = "") {
    AggiungiConduttore({{"Conducente", nome},
                        {"TelCel", cel},
                        {"Marca", marca},
                        {"Modello", modello},
                        {"Targa", targa},
                        {"Ferie", ferie},
                        {"Trasferte", trasferte},
                        {"Note", note},
                        {"Programma", programma}});
}

inline std::string Archivio() {
    const std::string path = rtl::DataPath("Conducenti.pro");
    return rtl::FileExists(path) ? rtl::ReadWholeFile(path) : "";
}

class CardTest : public ts::SchedaTest<TfrmAnagrafica> {
protected:
    CardTest() : SchedaTest(frmAnagrafica) { card.Show(); }

    void FillRequired(const std::string& nome = "Rossi Mario", const std::string& cel = "3331234567",
                      const std::string& marca = "Fiat", const std::string& modello = "Panda",
                      const std::string& targa = "AB123CD") {
        TypeInto(card.txtConducente, nome);
        TypeInto(card.txtTelCel, cel);
        TypeInto(card.txtMarca, marca);
        TypeInto(card.txtModello, modello);
        TypeInto(card.txtTarga, targa);
    }
};

inline const char* const kInserita = "La scheda corrente è stata inserita in archivio.";
inline const char* const kModificata =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
inline const char* const kErroreArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

} // namespace dt
