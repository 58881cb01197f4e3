#pragma once
// The record types of the archives, each declared once as its table of
// fields. The sizes are checked here at compile time.
#include "common/Record.h"

namespace common {

namespace fields {

// Vehicle ("Parco_Automezzi.pro").
inline constexpr FieldDef Automezzo[] = {
    {"Tipo", 50},          {"Destinazione", 50},    {"Marca", 50},
    {"Modello", 50},       {"Targa", 12},           {"Anno", 20},
    {"Colore", 50},        {"Telaio", 10},          {"Pneumatici", 120},
    {"Stato", 50},         {"Chilometri", 50},      {"Lettura", 10},
    {"Alimentazione", 50}, {"Cilindrata", 50},      {"KW", 50},
    {"Ambiente", 50},      {"Posti", 50},           {"Portata", 50},
    {"Compagnia", 120},    {"TelAssicuratore", 50}, {"Polizza", 50},
    {"Incidenti", 250},    {"Proprietario", 50},    {"Autista", 50},
    {"TelAutista", 50},    {"Meccanico", 50},       {"TelMeccanico", 50},
    {"ScadRevisione", 10}, {"ScadTagliando", 10},   {"ScadAssicurazione", 10},
    {"ScadBollo", 10},     {"Note", 250},           {"File", 250, 3},
    {"Desc", 250, 3},
};

// One cost line of a vehicle's cost sheet ("Costi_Veicolo_<n>.pro").
inline constexpr FieldDef Costo[] = {
    {"Data", 10}, {"Causale", 40}, {"Pagatore", 26}, {"Beneficiario", 26}, {"Importo", 15},
};

// Driver ("Conducenti.pro").
inline constexpr FieldDef Conduttore[] = {
    {"Conducente", 50}, {"Patenti", 50},    {"Recapito", 50},      {"Via", 120},     {"Cap", 12},
    {"Citta", 50},      {"Prov", 2},        {"Compensi", 250},     {"TelCasa", 30},  {"TelUff", 30},
    {"TelCel", 30},     {"Fax", 50},        {"Email", 50},         {"CodFisc", 16},  {"Carta", 30},
    {"ScadeCarta", 30}, {"PartitaIva", 11}, {"Iban", 27},          {"Veicolo", 50},  {"Marca", 50},
    {"Modello", 50},    {"Colore", 50},     {"Alimentazione", 50}, {"Targa", 30},    {"Programma", 250},
    {"Note", 250},      {"Ferie", 2},       {"Trasferte", 2},      {"File", 250, 3}, {"Desc", 250, 3},
};

// Trip sheet (<year>.fdm): header, eight legs and three refuellings stored
// column by column, totals.
inline constexpr FieldDef Foglio[] = {
    {"NumFoglio", 20},    {"DataApertura", 10}, {"OraApertura", 5}, {"DataChiusura", 10},
    {"OraChiusura", 5},   {"Ufficio", 120},     {"Conduttore", 50}, {"TelCel", 30},
    {"Veicolo", 120},     {"Targa", 30},        {"DataPar", 10, 8}, {"OraPar", 5, 8},
    {"KmPar", 12, 8},     {"LuogoPar", 120, 8}, {"DataArr", 10, 8}, {"OraArr", 5, 8},
    {"KmArr", 12, 8},     {"LuogoArr", 120, 8}, {"DataRif", 10, 3}, {"OraRif", 5, 3},
    {"Stazione", 120, 3}, {"Litri", 4, 3},      {"Importo", 12, 3}, {"LitriTot", 10},
    {"ImportoTot", 20},   {"KmPartenza", 12},   {"KmRientro", 12},  {"KmPercorsi", 20},
};

// Gate transit (<year>.vis).
inline constexpr FieldDef Visita[] = {
    {"DataEnt", 10}, {"OraEnt", 5},      {"OperatoreEnt", 50}, {"Veicolo", 50},
    {"Targa", 30},   {"Conduttore", 50}, {"Persone", 250},     {"Merce", 250},
    {"Foglio", 50},  {"Tessere", 120},   {"Luogo", 120},       {"TelCel", 50},
    {"Note", 250},   {"DataUsc", 10},    {"OraUsc", 5},        {"OperatoreUsc", 50},
};

// One vehicle's bookings of one year (".pln"): the vehicle, then 366 day
// texts in calendar order with 29 February always at index 59.
inline constexpr FieldDef Planning[] = {
    {"Veicolo", 50}, {"Marca", 50}, {"Modello", 50}, {"Targa", 30}, {"Giorni", 50, 366},
};

} // namespace fields

inline constexpr RecordType TAutomezzoRec = MakeRecordType("TAutomezzoRec", fields::Automezzo);
inline constexpr RecordType TCostoRec = MakeRecordType("TCostoRec", fields::Costo);
inline constexpr RecordType TConduttoreRec = MakeRecordType("TConduttoreRec", fields::Conduttore);
inline constexpr RecordType TFoglioRec = MakeRecordType("TFoglioRec", fields::Foglio);
inline constexpr RecordType TVisitaRec = MakeRecordType("TVisitaRec", fields::Visita);
inline constexpr RecordType TPlanningRec = MakeRecordType("TPlanningRec", fields::Planning);

static_assert(TAutomezzoRec.size == 3370);
static_assert(TCostoRec.size == 122);
static_assert(TConduttoreRec.size == 3206);
static_assert(TFoglioRec.size == 3373);
static_assert(TVisitaRec.size == 1366);
static_assert(TPlanningRec.size == 18850);

// A few offsets the stored files are known by, checked against the tables.
static_assert(TAutomezzoRec.Field("Targa") == FieldRef{204, 12});
static_assert(TAutomezzoRec.Field("Posti") == FieldRef{738, 50});
static_assert(TAutomezzoRec.Field("Desc03") == FieldRef{3119, 250});
static_assert(TConduttoreRec.Field("Ferie") == FieldRef{1694, 2});
static_assert(TFoglioRec.Field("LuogoArr08") == FieldRef{2705, 120});
static_assert(TFoglioRec.Field("Importo03") == FieldRef{3281, 12});
static_assert(TFoglioRec.Field("KmPercorsi") == FieldRef{3352, 20});
static_assert(TVisitaRec.Field("OperatoreUsc") == FieldRef{1315, 50});
static_assert(TPlanningRec.Field("Giorni", 59) == FieldRef{3193, 50});
static_assert(TPlanningRec.Field("Giorni", 365) == FieldRef{18799, 50});
static_assert(TCostoRec.Field("Importo") == FieldRef{106, 15});

} // namespace common
