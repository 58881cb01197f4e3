// The driver import of the trip-sheet window, end to end: the red arrow opens
// the driver search, the user searches and double-clicks a driver, and the
// four driver and vehicle edits of the sheet are filled; nothing else
// changes, and the next save stores them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/Archive.h"
#include "common/Records.h"
#include "drivers/TrovaAnagrafica.h"
#include "tests/tripsheets/TripSheet.h"

using tt::SheetTest;

namespace {

void AddDriver(const std::string& folder, const std::map<std::string, std::string>& fields) {
    common::Record r(common::TConduttoreRec);
    for (const auto& [k, v] : fields)
        r.Set(k, v);
    common::Archivio(folder + "Conducenti.pro", common::TConduttoreRec).Scrivi("", r);
}

} // namespace

TEST_F(SheetTest, DriverImportFillsTheFourEditsOfTheSheet) {
    AddDriver(h.DataFolder(), {{"Conducente", " Rossi Mario "},
                               {"TelCel", "333 1234567"},
                               {"Marca", "Fiat"},
                               {"Modello", "Ducato"},
                               {"Targa", "AB123CD"},
                               {"Veicolo", "Furgone"}});
    AddDriver(h.DataFolder(), {{"Conducente", "Verdi Anna"},
                               {"TelCel", "347 7654321"},
                               {"Marca", "Iveco"},
                               {"Modello", ""},
                               {"Targa", "ZZ999ZZ"}});
    const std::string driversBefore = rtl::ReadWholeFile(h.DataFolder() + "Conducenti.pro");

    fogli.txtNumFoglio.SetText("7");
    fogli.txtUfficio.SetText("Sede");
    fogli.txtConduttore.SetText("da sostituire");
    fogli.Campo("LuogoPar01").SetText("Milano");
    int shown = 0;
    h.OnModal<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& w) {
        ++shown;
        EXPECT_EQ(w.Owner(), &fogli);
        EXPECT_EQ(w.lblMemory.Text(), "fogli");
        EXPECT_EQ(w.Focused(), &w.txtConducente);
        h.Type(w, "verdi");
        h.Click(w.btnCerca);
        ASSERT_EQ(w.lstRecords.Items().size(), 1u);
        EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 1 schede.");
        h.DblClickItem(w.lstRecords, 0);
        EXPECT_FALSE(w.Visible());
    });
    h.Click(fogli.impConduttore);
    EXPECT_EQ(shown, 1);

    EXPECT_EQ(fogli.txtConduttore.Text(), "Verdi Anna");
    EXPECT_EQ(fogli.txtTelCel.Text(), "347 7654321");
    EXPECT_EQ(fogli.txtVeicolo.Text(), "Iveco "); // make, a blank, the empty model
    EXPECT_EQ(fogli.txtTarga.Text(), "ZZ999ZZ");
    // The rest of the sheet is as it was; the driver archive is only read.
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "7");
    EXPECT_EQ(fogli.txtUfficio.Text(), "Sede");
    EXPECT_EQ(fogli.Campo("LuogoPar01").Text(), "Milano");
    EXPECT_EQ(fogli.txtDataApertura.Text(), "05/03/2024");
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
    EXPECT_EQ(rtl::ReadWholeFile(h.DataFolder() + "Conducenti.pro"), driversBefore);
    EXPECT_FALSE(rtl::FileExists(ArchivePath()));

    // Saved, the imported values reach the sheet's record (trimmed).
    Save(tt::kInserita);
    const std::string a = Archive();
    ASSERT_EQ(a.size(), 3373u);
    EXPECT_EQ(a.substr(176, 11), std::string("\x0A") + "Verdi Anna");
    EXPECT_EQ(a.substr(258, 6), std::string("\x05") + "Iveco");
    EXPECT_EQ(a.substr(379, 8), std::string("\x07") + "ZZ999ZZ");
}
