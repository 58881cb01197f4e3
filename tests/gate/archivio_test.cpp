// A damaged year (a length byte above its field's capacity, a trailing
// fragment of a record) is read as every archive is read, and nothing but
// Save writes to it.
#include <gtest/gtest.h>

#include <string>

#include "gate/ExpVisite.h"
#include "gate/NonUsciti.h"
#include "gate/Statistiche.h"
#include "gate/TrovaVisite.h"
#include "gate/UscitiOggi.h"
#include "tests/gate/GateFixture.h"

using gt::GateTest;

namespace {

// One card written byte by byte: entry date, entry time, vehicle and plate.
std::string Card(std::uint8_t dateLength, const std::string& veicolo, const std::string& targa) {
    std::string r(1366, '\0');
    r[0] = char(dateLength);
    r.replace(1, 10, "05/03/2024");
    r[11] = 5;
    r.replace(12, 5, "09:30");
    r[68] = char(veicolo.size());
    r.replace(69, veicolo.size(), veicolo);
    r[119] = char(targa.size());
    r.replace(120, targa.size(), targa);
    return r;
}

} // namespace

TEST_F(GateTest, ADamagedYearIsReadAndNeverWritten) {
    const std::string file = Card(200, "Fiat", "AA1") + Card(10, "Iveco", "BB2") + std::string(700, 'x');
    rtl::WriteWholeFile(Path("2024.vis"), file);

    h.Click(card.cmdUltimo);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(card.txtVeicolo.Text(), "Iveco");
    h.Click(card.cmdPrimo);
    EXPECT_EQ(card.txtDataEnt.Text(), "05/03/2024"); // the length read as the capacity

    std::size_t listed = 0;
    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        listed = l.lstRecords.Count();
        h.DblClickItem(l.lstRecords, 1);
    });
    h.Click(card.cmdNonUsciti);
    EXPECT_EQ(listed, 2u);
    EXPECT_EQ(card.txtVeicolo.Text(), "Iveco");
    h.OnModal<TfrmUscitiOggi>([&](TfrmUscitiOggi& l) { h.Click(l.btnChiudi); });
    h.Click(card.cmdUscitiOggi);
    h.OnModal<TfrmTrovaVisite>([&](TfrmTrovaVisite& s) {
        h.Click(s.btnCerca);
        listed = s.lstRecords.Count();
        h.Click(s.btnChiudi);
    });
    h.Click(card.cmdTrova);
    EXPECT_EQ(listed, 2u);
    h.OnModal<TfrmExpVisite>([&](TfrmExpVisite& e) {
        listed = std::size_t(e.grdRecords.RowCount());
        h.Click(e.cmdEsci);
    });
    h.Click(card.cmdExcel);
    EXPECT_EQ(listed, 2u);
    EXPECT_EQ(gate::ContaTransiti(Path("2024.vis"), "2024")[2], 2);
    EXPECT_EQ(rtl::ReadWholeFile(Path("2024.vis")), file);

    // Save rewrites the recalled card 2 only; card 1 and the fragment stay.
    TypeInto(card.txtNote, "rivista");
    h.ExpectMessage(ui::DialogType::Information, gt::kModificata);
    h.Click(card.cmdSalva);
    const std::string after = rtl::ReadWholeFile(Path("2024.vis"));
    ASSERT_EQ(after.size(), file.size());
    EXPECT_EQ(after.substr(0, 1366), file.substr(0, 1366));
    EXPECT_EQ(after.substr(1366 + 1047, 8), std::string("\x07rivista"));
    EXPECT_EQ(after.substr(2732), file.substr(2732));
}
