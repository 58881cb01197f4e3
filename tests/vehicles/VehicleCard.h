#pragma once
// A vehicle card on screen for a test: a main window first (so that closing
// the card does not end the program), the card as the program's single
// instance, shown as the start menu shows it.
#include <gtest/gtest.h>

#include <string>

#include "common/Archive.h"
#include "platform/rtl/Files.h"
#include "tests/support/CardFixture.h"
#include "tests/support/Harness.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"

namespace vt {

class CardTest : public ts::SchedaTest<TfrmAutoparco> {
protected:
    CardTest() : SchedaTest(frmAutoparco) { card.Show(); }

    void FillRequired(const std::string& tipo = "Autovettura", const std::string& marca = "Fiat",
                      const std::string& modello = "Panda", const std::string& targa = "AB123CD") {
        TypeInto(card.txtTipo, tipo);
        TypeInto(card.txtMarca, marca);
        TypeInto(card.txtModello, modello);
        TypeInto(card.txtTarga, targa);
    }
    std::string Archive() const {
        return rtl::FileExists(Path("Parco_Automezzi.pro")) ? rtl::ReadWholeFile(Path("Parco_Automezzi.pro"))
                                                            : "";
    }
    // Appends a record with the given type, make, model and plate.
    void AddRecord(const std::string& tipo, const std::string& marca = "M", const std::string& modello = "X",
                   const std::string& targa = "T") {
        ts::AggiungiRecord(vehicles::PercorsoArchivioAutomezzi(), vehicles::TAutomezzoRec,
                           {{"Tipo", tipo}, {"Marca", marca}, {"Modello", modello}, {"Targa", targa}});
    }
};

inline const char* const kInserita = "La scheda corrente è stata inserita in archivio.";
inline const char* const kModificata =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";

} // namespace vt
