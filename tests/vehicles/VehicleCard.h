#pragma once
// A vehicle card on screen for a test: a main window first (so that closing
// the card does not end the program), the card as the program's single
// instance, shown as the start menu shows it.
#include <gtest/gtest.h>

#include <string>

#include "common/Archive.h"
#include "platform/rtl/Files.h"
#include "tests/support/Harness.h"
#include "vehicles/Autoparco.h"
#include "vehicles/AutomezzoRec.h"

namespace vt {

class CardTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmAutoparco card{h.app};

    CardTest() {
        frmAutoparco = &card;
        card.Show();
    }
    ~CardTest() override { frmAutoparco = nullptr; }

    // Types into an edit as a user does.
    void typeInto(ui::Edit& edit, const std::string& text) {
        h.focus(edit);
        h.type(card, text);
    }
    void fillRequired(const std::string& tipo = "Autovettura", const std::string& marca = "Fiat",
                      const std::string& modello = "Panda", const std::string& targa = "AB123CD") {
        typeInto(card.txtTipo, tipo);
        typeInto(card.txtMarca, marca);
        typeInto(card.txtModello, modello);
        typeInto(card.txtTarga, targa);
    }
    void save(const std::string& expected) {
        h.expectMessage(ui::DialogType::Information, expected);
        h.click(card.cmdSalva);
        h.verify();
    }
    std::string path(const std::string& name) const { return h.dataFolder() + name; }
    std::string archive() const {
        return rtl::FileExists(path("Parco_Automezzi.pro")) ? rtl::ReadWholeFile(path("Parco_Automezzi.pro")) : "";
    }
    // Appends a record with the given type, make, model and plate.
    void addRecord(const std::string& tipo, const std::string& marca = "M", const std::string& modello = "X",
                   const std::string& targa = "T") {
        common::Record r(vehicles::TAutomezzoRec);
        r.set("Tipo", tipo);
        r.set("Marca", marca);
        r.set("Modello", modello);
        r.set("Targa", targa);
        common::Archivio a(vehicles::PercorsoArchivioAutomezzi(), vehicles::TAutomezzoRec);
        a.Scrivi("", r);
    }
};

inline const char* const kInserita = "La scheda corrente è stata inserita in archivio.";
inline const char* const kModificata = "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";

} // namespace vt
