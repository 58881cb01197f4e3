#pragma once
// A visit card on screen for a test: a main window first (so that closing the
// card does not end the program), the card as the program's single instance,
// opened on the year 2024 of the data folder as the year menu opens it, under
// a clock set to 05/03/2024 10:15:30.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "gate/Registro.h"
#include "platform/rtl/Files.h"
#include "tests/support/CardFixture.h"
#include "tests/support/Harness.h"

namespace gt {

using Visita = std::map<std::string, std::string>;

class GateTest : public ts::SchedaTest<TfrmRegistro> {
protected:
    GateTest() : SchedaTest(frmRegistro) {
        h.SetNow({*rtl::Date::FromYmd(2024, 3, 5), {10, 15, 30}});
        card.lblFile.SetText(" " + Path("2024.vis") + " ");
        card.Show();
    }

    std::string Archive() const {
        return rtl::FileExists(Path("2024.vis")) ? rtl::ReadWholeFile(Path("2024.vis"))
                                                 : std::string("<none>");
    }
    // Appends visits to the 2024 archive, fields by name.
    void AddVisits(const std::vector<Visita>& visits) {
        for (const Visita& v : visits) {
            common::Record r(common::TVisitaRec);
            for (const auto& [field, text] : v)
                r.Set(field, text);
            common::Archivio(Path("2024.vis"), common::TVisitaRec).Scrivi("", r);
        }
    }
    // The sixteen edits of the card, in record order.
    std::vector<std::string> CardFields() const {
        std::vector<std::string> out;
        for (int i = 0; i < 16; ++i)
            out.push_back(card.Campo(i).Text());
        return out;
    }
};

inline const char* const kInserita = "La scheda corrente è stata inserita in archivio.";
inline const char* const kModificata =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
inline const char* const kVuoto = "L'archivio non contiene nessuna scheda.";
inline const char* const kAccesso =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

} // namespace gt
