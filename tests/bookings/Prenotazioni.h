#pragma once
// The booking dialogs under test: a main window first (so that closing a
// dialog does not end the program), the planner window as the program's
// single instance, created and never shown, and helpers that open a dialog
// as the planner does and read the planner's 366 day cells by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "planner/Planning.h"
#include "tests/support/Harness.h"

namespace bt {

// One day cell as a user sees it: which picture shows, and the hidden text.
struct Cella {
    bool libera = true;
    bool occupata = false;
    std::string testo;
    bool operator==(const Cella&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Cella& c) {
    return os << "{lib " << c.libera << ", occ " << c.occupata << ", \"" << c.testo << "\"}";
}

// The month tags and planner lengths, written out here independently of the
// program's own table.
struct Mese {
    const char* tag;
    int giorni;
};
inline constexpr Mese kMesi[12] = {{"Gen", 31}, {"Feb", 29}, {"Mar", 31}, {"Apr", 30},
                                   {"Mag", 31}, {"Giu", 30}, {"Lug", 31}, {"Ago", 31},
                                   {"Set", 30}, {"Ott", 31}, {"Nov", 30}, {"Dic", 31}};

// "Gen_01" ... "Dic_31": the 366 cell suffixes in calendar order.
inline std::vector<std::string> NomiGiorni() {
    std::vector<std::string> nomi;
    for (const Mese& m : kMesi)
        for (int d = 1; d <= m.giorni; ++d)
            nomi.push_back(std::string(m.tag) + (d < 10 ? "_0" : "_") + std::to_string(d));
    return nomi;
}

using Celle = std::map<std::string, Cella>;

class BookingTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmPlanning planner{h.app};

    BookingTest() { frmPlanning = &planner; }
    ~BookingTest() override {
        frmPlanning = nullptr;
        // No use of a booking dialog touches the data folder.
        EXPECT_TRUE(std::filesystem::is_empty(h.DataFolder())) << "the data folder changed";
    }

    Cella StatoCella(const std::string& giorno) const {
        return Cella{planner.Get<ui::Picture>("lib" + giorno).Visible(),
                     planner.Get<ui::Picture>("occ" + giorno).Visible(),
                     planner.Get<ui::Label>("mem" + giorno).Text()};
    }
    Celle StatoCelle() const {
        Celle tutte;
        for (const std::string& g : NomiGiorni())
            tutte[g] = StatoCella(g);
        return tutte;
    }
    // Sets a cell as the planner's load does (booked exactly when the text is
    // not blank).
    void Prenota(const std::string& giorno, const std::string& testo) {
        const bool occupata = testo.find_first_not_of(' ') != std::string::npos;
        planner.Get<ui::Picture>("lib" + giorno).SetVisible(!occupata);
        planner.Get<ui::Picture>("occ" + giorno).SetVisible(occupata);
        planner.Get<ui::Label>("mem" + giorno).SetText(testo);
    }
    // Every cell as in `prima`, except those in `cambiate` as given there.
    void Attese(const Celle& prima, const Celle& cambiate) {
        Celle dopo = StatoCelle();
        for (const auto& [g, c] : dopo) {
            auto it = cambiate.find(g);
            EXPECT_EQ(c, it != cambiate.end() ? it->second : prima.at(g)) << "cell " << g;
        }
    }

    // The one-day dialog preset as the planner's day click does it.
    std::unique_ptr<TfrmGiorno> ApriGiorno(const std::string& chiave, const std::string& titolo,
                                           const std::string& camera, const std::string& testo) {
        auto dlg = std::make_unique<TfrmGiorno>(h.app, &planner, &planner);
        dlg->lblMemory.SetText(chiave);
        dlg->infGiorno.SetText(titolo);
        dlg->infCamera.SetText(camera);
        dlg->txtPrenotazione.SetText(testo);
        dlg->Show();
        return dlg;
    }

    // The range dialog preset as the planner's range command does it (with
    // `conPlanner` false, opened without the planner's day cells).
    std::unique_ptr<TfrmIntervallo> ApriIntervallo(const std::string& anno,
                                                   const std::string& camera = "Fiat Ducato",
                                                   bool conPlanner = true) {
        auto dlg = std::make_unique<TfrmIntervallo>(h.app, &planner, conPlanner ? &planner : nullptr);
        dlg->lblAnnoInizio.SetText(anno);
        dlg->lblAnnoFine.SetText(anno);
        dlg->infCamera.SetText(camera);
        for (ui::ComboEdit* c :
             {&dlg->txtGiornoInizio, &dlg->txtMeseInizio, &dlg->txtGiornoFine, &dlg->txtMeseFine})
            c->SetText("");
        dlg->Show();
        return dlg;
    }
};

inline const char* const kLfCr = "\n\r\n\r";

} // namespace bt
