#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/Records.h"

using namespace common;

namespace {
std::vector<std::uint8_t> Bytes(std::size_t n) {
    return std::vector<std::uint8_t>(n, 0);
}
void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint8_t len, const std::string& raw) {
    b[at] = len;
    std::memcpy(b.data() + at + 1, raw.data(), raw.size());
}
} // namespace

// Offsets and sizes as the stored files have them, typed out by hand: the
// length byte of a field at its offset, its text bytes right after it.
TEST(Record, FieldsLieWhereStoredFilesHaveThem) {
    struct Case {
        const RecordType* type;
        std::size_t size;
        const char* field;
        std::size_t offset;
        int capacity;
    } cases[] = {
        {&TAutomezzoRec, 3370, "Tipo", 0, 50},        {&TAutomezzoRec, 3370, "Marca", 102, 50},
        {&TAutomezzoRec, 3370, "Targa", 204, 12},     {&TAutomezzoRec, 3370, "Alimentazione", 534, 50},
        {&TAutomezzoRec, 3370, "Autista", 1365, 50},  {&TAutomezzoRec, 3370, "File01", 1864, 250},
        {&TAutomezzoRec, 3370, "Desc03", 3119, 250},  {&TCostoRec, 122, "Beneficiario", 79, 26},
        {&TCostoRec, 122, "Importo", 106, 15},        {&TConduttoreRec, 3206, "Prov", 338, 2},
        {&TConduttoreRec, 3206, "Targa", 1161, 30},   {&TConduttoreRec, 3206, "Trasferte", 1697, 2},
        {&TConduttoreRec, 3206, "Desc03", 2955, 250}, {&TFoglioRec, 3373, "Targa", 379, 30},
        {&TFoglioRec, 3373, "OraPar05", 522, 5},      {&TFoglioRec, 3373, "LuogoPar08", 1497, 120},
        {&TFoglioRec, 3373, "KmArr02", 1767, 12},     {&TFoglioRec, 3373, "Stazione02", 2998, 120},
        {&TFoglioRec, 3373, "Litri03", 3250, 4},      {&TFoglioRec, 3373, "LitriTot", 3294, 10},
        {&TVisitaRec, 1366, "Targa", 119, 30},        {&TVisitaRec, 1366, "Note", 1047, 250},
        {&TVisitaRec, 1366, "DataUsc", 1298, 10},     {&TPlanningRec, 18850, "Targa", 153, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type->name) + "." + c.field);
        EXPECT_EQ(c.type->size, c.size);
        auto raw = Bytes(c.size);
        Put(raw, c.offset, 2, "A\xE8Z"); // "Aè" in windows-1252, then a padding byte
        Record rec(*c.type);
        std::memcpy(rec.Bytes().data(), raw.data(), raw.size());
        EXPECT_EQ(rec.Get(c.field), "A\xC3\xA8");
        EXPECT_EQ(c.type->Field(c.field).capacity, c.capacity);
    }
    // Planner days by index: 1 March is index 60 at byte 3244.
    auto raw = Bytes(18850);
    Put(raw, 3244, 2, "ok");
    Record plan(TPlanningRec);
    std::memcpy(plan.Bytes().data(), raw.data(), raw.size());
    EXPECT_EQ(plan.Get(TPlanningRec.Field("Giorni", 60)), "ok");
    EXPECT_EQ(TPlanningRec.Elements().size(), 370u);
    EXPECT_EQ(TFoglioRec.Elements().size(), 94u);
    EXPECT_EQ(TAutomezzoRec.Elements()[37].name, "Desc03");
}

TEST(Record, StoreWritesLengthByteTextAndZeroPadding) {
    Record rec(TVisitaRec);
    const FieldRef luogo = TVisitaRec.Field("Luogo"); // offset 875, 120
    rec.Set(luogo, "  Citt\xC3\xA0 \xE2\x82\xAC\t "); // "  Città €\t "
    const auto b = rec.Bytes();
    EXPECT_EQ(b[875], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[876]), 7), "Citt\xE0 \x80");
    EXPECT_EQ(b[883], 0);

    // A shorter value leaves no trace of the longer one.
    rec.Set(luogo, "Xy");
    EXPECT_EQ(b[875], 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[876]), 7), std::string("Xy\0\0\0\0\0", 7));
    EXPECT_EQ(b[876 + 119], 0);
    EXPECT_EQ(rec.Get(luogo), "Xy");

    // Cut to the capacity; blanks only store the empty value.
    rec.Set("OraEnt", "12:345678");
    EXPECT_EQ(b[11], 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[12]), 5), "12:34");
    rec.Set("OraEnt", "   ");
    EXPECT_EQ(b[11], 0);
    EXPECT_EQ(rec.Get("OraEnt"), "");

    // A character outside the code page is stored as "?".
    rec.Set("Targa", "AB\xE2\x9C\x93"
                     "1"); // check mark
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[120]), b[119]), "AB?1");

    // Neighbouring fields are untouched.
    EXPECT_EQ(b[150], 0);
    EXPECT_EQ(b[118], 0);
}

TEST(Record, DamagedLengthByteReadsOnlyTheField) {
    auto raw = Bytes(1366);
    Put(raw, 11, 200, "09:30"); // OraEnt, capacity 5, length byte 200
    Put(raw, 17, 3, "Ugo");     // next field
    Record rec(TVisitaRec);
    std::memcpy(rec.Bytes().data(), raw.data(), raw.size());
    EXPECT_EQ(rec.Get("OraEnt"), "09:30");
    // Last field of the record, length 255 with capacity 50: still inside.
    raw.assign(1366, 'x');
    raw[1315] = 255;
    std::memcpy(rec.Bytes().data(), raw.data(), raw.size());
    EXPECT_EQ(rec.Get("OperatoreUsc"), std::string(50, 'x'));
}

TEST(Record, LoadTrimsAndDecodesAllBytes) {
    auto raw = Bytes(122);
    Put(raw, 0, 6,
        " \x01"
        "ab\x81 "); // control and blank around, an undefined byte inside
    Record rec(TCostoRec);
    std::memcpy(rec.Bytes().data(), raw.data(), raw.size());
    EXPECT_EQ(rec.Get("Data"), "ab\xC2\x81");
}

// Every element a card or a list names by its text resolves to the same
// place as the walk over the record.
TEST(Record, EveryElementNameFindsItsField) {
    for (const RecordType* type :
         {&TAutomezzoRec, &TCostoRec, &TConduttoreRec, &TFoglioRec, &TVisitaRec, &TPlanningRec}) {
        std::size_t next = 0;
        for (const auto& e : type->Elements()) {
            SCOPED_TRACE(e.name);
            EXPECT_EQ(e.ref.offset, next);
            EXPECT_EQ(type->Field(e.name), e.ref);
            next += std::size_t(e.ref.capacity) + 1;
        }
        EXPECT_EQ(next, type->size);
    }
    EXPECT_EQ(TPlanningRec.Field("Giorni060"), TPlanningRec.Field("Giorni", 59));
}

TEST(Record, UnknownFieldFails) {
    EXPECT_THROW(TVisitaRec.Field("Nessuno"), std::out_of_range);
    EXPECT_THROW(TFoglioRec.Field("DataPar09"), std::out_of_range);
    EXPECT_THROW(TPlanningRec.Field("Giorni", 366), std::out_of_range);
}
