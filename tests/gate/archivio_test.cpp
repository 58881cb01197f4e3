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
    rtl::WriteWholeFile(path("2024.vis"), file);

    h.click(card.cmdUltimo);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(card.txtVeicolo.Text(), "Iveco");
    h.click(card.cmdPrimo);
    EXPECT_EQ(card.txtDataEnt.Text(), "05/03/2024"); // the length read as the capacity

    std::size_t listed = 0;
    h.onModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        listed = l.lstRecords.Count();
        h.dblClickItem(l.lstRecords, 1);
    });
    h.click(card.cmdNonUsciti);
    EXPECT_EQ(listed, 2u);
    EXPECT_EQ(card.txtVeicolo.Text(), "Iveco");
    h.onModal<TfrmUscitiOggi>([&](TfrmUscitiOggi& l) { h.click(l.btnChiudi); });
    h.click(card.cmdUscitiOggi);
    h.onModal<TfrmTrovaVisite>([&](TfrmTrovaVisite& s) {
        h.click(s.btnCerca);
        listed = s.lstRecords.Count();
        h.click(s.btnChiudi);
    });
    h.click(card.cmdTrova);
    EXPECT_EQ(listed, 2u);
    h.onModal<TfrmExpVisite>([&](TfrmExpVisite& e) {
        listed = std::size_t(e.grdRecords.RowCount());
        h.click(e.cmdEsci);
    });
    h.click(card.cmdExcel);
    EXPECT_EQ(listed, 2u);
    EXPECT_EQ(gate::ContaTransiti(path("2024.vis"), "2024")[2], 2);
    EXPECT_EQ(rtl::ReadWholeFile(path("2024.vis")), file);

    // Save rewrites the recalled card 2 only; card 1 and the fragment stay.
    typeInto(card.txtNote, "rivista");
    h.expectMessage(ui::DialogType::Information, gt::kModificata);
    h.click(card.cmdSalva);
    const std::string after = rtl::ReadWholeFile(path("2024.vis"));
    ASSERT_EQ(after.size(), file.size());
    EXPECT_EQ(after.substr(0, 1366), file.substr(0, 1366));
    EXPECT_EQ(after.substr(1366 + 1047, 8), std::string("\x07rivista"));
    EXPECT_EQ(after.substr(2732), file.substr(2732));
}
