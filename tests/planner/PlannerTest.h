#pragma once
// The planner on a headless application: a main window first (so that
// closing a window does not end the program), the start menu, the planner
// menu and the planner window as the program's single instances. Vehicle
// records and planner files are written byte by byte here, never through
// the program's own record code.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "platform/rtl/Files.h"
#include "shell/Avvio.h"
#include "tests/support/Harness.h"
#include "tests/support/StartMenu.h"

namespace pt {

// A field of a record: its length byte, then its bytes (already windows-1252).
inline void Campo(std::string& record, std::size_t offset, std::string_view bytes) {
    record[offset] = static_cast<char>(bytes.size());
    record.replace(offset + 1, bytes.size(), bytes);
}

struct Veicolo {
    std::string tipo, marca, modello, targa, posti = "5", alimentazione = "Benzina";
};

// One 3370-byte vehicle record.
inline std::string RecordVeicolo(const Veicolo& v) {
    std::string r(3370, '\0');
    Campo(r, 0, v.tipo);
    Campo(r, 102, v.marca);
    Campo(r, 153, v.modello);
    Campo(r, 204, v.targa);
    Campo(r, 534, v.alimentazione);
    Campo(r, 738, v.posti);
    return r;
}

// An 18850-byte planner record with the given day texts (index, bytes).
struct Giorno {
    int index;
    std::string testo;
};
inline std::string RecordPlanner(std::string_view veicolo, std::string_view marca, std::string_view modello,
                                 std::string_view targa, std::initializer_list<Giorno> giorni) {
    std::string r(18850, '\0');
    Campo(r, 0, veicolo);
    Campo(r, 51, marca);
    Campo(r, 102, modello);
    Campo(r, 153, targa);
    for (const Giorno& g : giorni)
        Campo(r, 184 + 51 * std::size_t(g.index), g.testo);
    return r;
}

class PlannerTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmAvvio avvio{h.app};
    ts::MenuAvvio ritorno{avvio};
    TfrmMenuDisponibili menu{h.app};
    TfrmPlanning planning{h.app};

    PlannerTest() {
        frmMenuDisponibili = &menu;
        frmPlanning = &planning;
        h.SetToday(*rtl::Date::FromYmd(2026, 3, 5));
    }
    ~PlannerTest() override {
        frmMenuDisponibili = nullptr;
        frmPlanning = nullptr;
    }

    std::string Path(const std::string& name) const { return h.DataFolder() + name; }
    std::string Archivio() const { return Path("Parco_Automezzi.pro"); }
    void ScriviVeicoli(std::initializer_list<Veicolo> veicoli) {
        std::string bytes;
        for (const Veicolo& v : veicoli)
            bytes += RecordVeicolo(v);
        rtl::WriteWholeFile(Archivio(), bytes);
    }
    std::string PercorsoPlanner(const std::string& targa, const std::string& anno) const {
        return Path("Prenotazioni veicolo targa " + targa + " anno " + anno + ".pln");
    }
    std::string Leggi(const std::string& p) const { return rtl::ReadWholeFile(p); }

    // Shows the menu as the start menu's tile does.
    void MostraMenu() {
        avvio.Show();
        menu.Show();
        avvio.Hide();
    }
    // The menu's road to the planner: the line, the year, "Apri".
    void Apri(int riga, const std::string& anno) {
        h.Select(menu.lstRecords, riga);
        h.Focus(menu.txtAnnoFatture);
        menu.txtAnnoFatture.SetText(anno);
        h.Click(menu.btnApriFatture);
    }
    // One vehicle in the archive, the menu shown and the planner opened on it.
    void ApriPlanner(const std::string& targa, const std::string& anno, const std::string& marca = "Fiat",
                     const std::string& modello = "Ducato") {
        ScriviVeicoli({{"Furgone", marca, modello, targa}});
        MostraMenu();
        Apri(0, anno);
        ASSERT_TRUE(planning.Visible());
    }
};

} // namespace pt
