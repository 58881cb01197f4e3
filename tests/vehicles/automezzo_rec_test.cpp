#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/Archive.h"
#include "platform/rtl/Files.h"
#include "tests/support/Harness.h"
#include "vehicles/AutomezzoRec.h"

namespace {

// The vehicle record as stored files have it, typed out by hand: field,
// offset of its length byte, capacity.
struct Campo {
    const char* name;
    std::size_t offset;
    int capacity;
};
const Campo kCampi[] = {
    {"Tipo", 0, 50},
    {"Destinazione", 51, 50},
    {"Marca", 102, 50},
    {"Modello", 153, 50},
    {"Targa", 204, 12},
    {"Anno", 217, 20},
    {"Colore", 238, 50},
    {"Telaio", 289, 10},
    {"Pneumatici", 300, 120},
    {"Stato", 421, 50},
    {"Chilometri", 472, 50},
    {"Lettura", 523, 10},
    {"Alimentazione", 534, 50},
    {"Cilindrata", 585, 50},
    {"KW", 636, 50},
    {"Ambiente", 687, 50},
    {"Posti", 738, 50},
    {"Portata", 789, 50},
    {"Compagnia", 840, 120},
    {"TelAssicuratore", 961, 50},
    {"Polizza", 1012, 50},
    {"Incidenti", 1063, 250},
    {"Proprietario", 1314, 50},
    {"Autista", 1365, 50},
    {"TelAutista", 1416, 50},
    {"Meccanico", 1467, 50},
    {"TelMeccanico", 1518, 50},
    {"ScadRevisione", 1569, 10},
    {"ScadTagliando", 1580, 10},
    {"ScadAssicurazione", 1591, 10},
    {"ScadBollo", 1602, 10},
    {"Note", 1613, 250},
    {"File01", 1864, 250},
    {"File02", 2115, 250},
    {"File03", 2366, 250},
    {"Desc01", 2617, 250},
    {"Desc02", 2868, 250},
    {"Desc03", 3119, 250},
};

} // namespace

TEST(AutomezzoRec, EveryFieldLiesAtItsOffsetInTheArchive) {
    ts::Harness h;
    ASSERT_EQ(std::size(kCampi), 38u);
    EXPECT_EQ(vehicles::TAutomezzoRec.size, 3370u);

    // Each field gets a value of its own: "k" + its index, and one field with
    // a letter outside ASCII and one longer than its capacity.
    common::Record rec(vehicles::TAutomezzoRec);
    for (std::size_t i = 0; i < std::size(kCampi); ++i)
        rec.Set(kCampi[i].name, "k" + std::to_string(i));
    rec.Set("Colore", "Blu \xC3\xA8");  // "Blu è"
    rec.Set("Telaio", "ZFA1234567890"); // 13 characters, capacity 10

    common::Archivio a(vehicles::PercorsoArchivioAutomezzi(), vehicles::TAutomezzoRec);
    EXPECT_EQ(a.Scrivi("", rec), 1);
    common::Archivio b(vehicles::PercorsoArchivioAutomezzi(), vehicles::TAutomezzoRec);
    EXPECT_EQ(b.Scrivi("", rec), 2);

    const std::string file = rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.pro");
    ASSERT_EQ(file.size(), 2u * 3370u);
    for (std::size_t i = 0; i < std::size(kCampi); ++i) {
        const Campo& c = kCampi[i];
        SCOPED_TRACE(c.name);
        std::string expected = "k" + std::to_string(i);
        if (std::string(c.name) == "Colore") expected = "Blu \xE8";
        if (std::string(c.name) == "Telaio") expected = "ZFA1234567";
        for (std::size_t rec0 : {std::size_t(0), std::size_t(3370)}) {
            EXPECT_EQ(std::uint8_t(file[rec0 + c.offset]), expected.size());
            EXPECT_EQ(file.substr(rec0 + c.offset + 1, expected.size()), expected);
        }
        EXPECT_EQ(vehicles::TAutomezzoRec.Field(c.name).offset, c.offset);
        EXPECT_EQ(vehicles::TAutomezzoRec.Field(c.name).capacity, c.capacity);
    }
}

TEST(AutomezzoRec, CardControlsFollowTheRecordOrder) {
    const struct {
        int index;
        const char* control;
    } cases[] = {{0, "txtTipo"},    {4, "txtTarga"},   {11, "txtLettura"}, {31, "txtNote"},
                 {32, "lblFile01"}, {34, "lblFile03"}, {35, "lblDesc01"},  {37, "lblDesc03"}};
    for (const auto& c : cases)
        EXPECT_EQ(vehicles::ControlloCampo(c.index), c.control);
    EXPECT_THROW(vehicles::ControlloCampo(38), std::out_of_range);
}
