#include "bench/Data.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string_view>
#include <vector>

#include "bench/Bench.h"
#include "common/Records.h"

namespace bench {

namespace {

template <std::size_t N> const char* Pick(Random& r, const char* const (&list)[N]) {
    return list[r.Below(N)];
}
template <std::size_t N> const char* Common(Random& r, const char* const (&list)[N]) {
    return list[r.Skewed(N)];
}

// Writes records of one type in large blocks, counting their text.
class Writer {
public:
    Writer(const std::string& path, const common::RecordType& type)
        : type_(type), record_(type), file_(std::fopen(path.c_str(), "wb")) {
        if (!file_) {
            std::perror(path.c_str());
            std::exit(2);
        }
        for (const auto& e : type.Elements())
            lengths_.push_back(e.ref.offset);
        block_.reserve(kBlock + type.size);
    }
    ~Writer() {
        Flush();
        std::fclose(file_);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void Set(std::string_view field, std::string_view text) { record_.Set(type_.Field(field), text); }
    // Appends the record and starts the next one empty.
    void Add() {
        const auto bytes = record_.Bytes();
        for (const std::size_t at : lengths_)
            written_.textBytes += bytes[at];
        block_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::fill(bytes.begin(), bytes.end(), std::uint8_t(0));
        ++written_.records;
        if (block_.size() >= kBlock) Flush();
    }
    Written Done() {
        Flush();
        return written_;
    }

private:
    static constexpr std::size_t kBlock = 8 << 20;
    void Flush() {
        if (!block_.empty() && std::fwrite(block_.data(), 1, block_.size(), file_) != block_.size()) {
            std::perror("write");
            std::exit(2);
        }
        block_.clear();
    }

    const common::RecordType& type_;
    common::Record record_;
    std::FILE* file_;
    std::vector<std::size_t> lengths_;
    std::string block_;
    Written written_;
};

std::string Format(const char* format, auto... args) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

std::string Plate(Random& r) {
    const auto letter = [&] { return char('A' + r.Below(26)); };
    std::string p;
    p += letter();
    p += letter();
    p += Format("%03u", unsigned(r.Below(1000)));
    p += letter();
    p += letter();
    return p;
}

std::string Phone(Random& r, bool mobile) {
    static const char* const prefixes[] = {"0543", "0547", "075", "06", "02", "051", "0541", "011", "081"};
    if (mobile) return Format("3%02u %07u", unsigned(20 + r.Below(80)), unsigned(r.Below(10000000)));
    return Format("%s %06u", Pick(r, prefixes), unsigned(r.Below(1000000)));
}

std::string Digits(Random& r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += char('0' + r.Below(10));
    return s;
}

std::string Date(rtl::Date d) {
    return rtl::FormatDate(d);
}

// --- names ---------------------------------------------------------------------

// The most common surnames of Italy, the most common first.
const char* const kCognomi[] = {
    "Rossi",      "Russo",   "Ferrari",   "Esposito",   "Bianchi",    "Romano",     "Colombo",
    "Ricci",      "Marino",  "Greco",     "Bruno",      "Gallo",      "Conti",      "De Luca",
    "Mancini",    "Costa",   "Giordano",  "Rizzo",      "Lombardi",   "Moretti",    "Barbieri",
    "Fontana",    "Santoro", "Mariani",   "Rinaldi",    "Caruso",     "Ferrara",    "Galli",
    "Martini",    "Leone",   "Longo",     "Gentile",    "Martinelli", "Vitale",     "Lombardo",
    "Serra",      "Coppola", "De Santis", "D'Angelo",   "Marchetti",  "Parisi",     "Villa",
    "Conte",      "Ferraro", "Ferri",     "Fabbri",     "Bianco",     "Marini",     "Grasso",
    "Valentini",  "Messina", "Sala",      "De Angelis", "Gatti",      "Pellegrini", "Palumbo",
    "Sanna",      "Farina",  "Rizzi",     "Monti",      "Cattaneo",   "Morelli",    "Amato",
    "Silvestri",  "Mazza",   "Testa",     "Grassi",     "Pellegrino", "Carbone",    "Giuliani",
    "Benedetti",  "Barone",  "Rossetti",  "Caputo",     "Montanari",  "Guerra",     "Palmieri",
    "Bernardi",   "Martino", "Fiore",     "De Rosa",    "Ferretti",   "Bellini",    "Basile",
    "Riva",       "Donati",  "Piras",     "Vitali",     "Battaglia",  "Sartori",    "Neri",
    "Costantini", "Milani",  "Pagano",    "Ruggiero",   "Sorrentino", "D'Amico",    "Orlando",
    "Negri",      "Mele",    "Zanetti",   "Bertolini",  "Cocco",      "Niccolò",    "Cantù",
    "Mulè",       "Bonfà",   "Pirrò",
};

// Common given names, the most common first.
const char* const kNomi[] = {
    "Marco",     "Giuseppe", "Francesco", "Antonio",   "Alessandro", "Andrea",   "Luca",     "Giovanni",
    "Roberto",   "Stefano",  "Maria",     "Anna",      "Angelo",     "Paolo",    "Giulia",   "Mario",
    "Francesca", "Matteo",   "Davide",    "Sara",      "Simone",     "Laura",    "Federico", "Chiara",
    "Lorenzo",   "Nicola",   "Valentina", "Salvatore", "Elena",      "Vincenzo", "Fabio",    "Alessandra",
    "Massimo",   "Silvia",   "Daniele",   "Martina",   "Giorgio",    "Paola",    "Domenico", "Federica",
    "Claudio",   "Roberta",  "Emanuele",  "Giovanna",  "Pietro",     "Rosa",     "Riccardo", "Angela",
    "Niccolò",   "Simona",   "Mattia",    "Barbara",   "Gabriele",   "Ilaria",   "Tommaso",  "Noemi",
    "Raffaele",  "Carmela",  "Nicolò",    "Giosuè",    "Mosè",       "Zoè",
};

const char* const kCitta[] = {
    "Forlì",   "Cesena",      "Roma",       "Milano", "Città di Castello",
    "Perugia", "Rimini",      "Bologna",    "Napoli", "Torino",
    "Ravenna", "Faenza",      "Cesenatico", "Imola",  "Firenze",
    "Arezzo",  "Sansepolcro", "Umbertide",  "Gubbio", "Santarcangelo di Romagna",
};
const char* const kProvince[] = {"FC", "FC", "RM", "MI", "PG", "PG", "RN", "BO", "NA", "TO",
                                 "RA", "RA", "FC", "BO", "FI", "AR", "AR", "PG", "PG", "RN"};
static_assert(std::size(kCitta) == std::size(kProvince));

const char* const kVie[] = {
    "Via Giuseppe Garibaldi",
    "Corso della Repubblica",
    "Via Roma",
    "Viale Carlo Alberto dalla Chiesa",
    "Piazza Aurelio Saffi",
    "Via Ravegnana",
    "Via dei Mille",
    "Via Emilia per Cesena",
    "Viale dell'Appennino",
    "Via Giacomo Matteotti",
    "Via Niccolò Tommaseo",
    "Largo de' Gasperi",
    "Via San Mercuriale",
    "Via Bertinoro",
    "Via della Libertà",
    "Strada provinciale Cervese",
};

// --- vehicles -------------------------------------------------------------------

struct Modello {
    const char* marca;
    const char* modello;
    const char* tipo;
    const char* alimentazione;
    int cilindrata, kw, posti, portata; // portata in kg, 0 for none
};

// The fleet of a company that moves goods and people: vans and cars first.
const Modello kModelli[] = {
    {"Fiat", "Ducato 35 MH2 2.3 MultiJet 140 CV", "Furgone", "Gasolio", 2287, 103, 3, 1400},
    {"Fiat", "Panda 1.2 Easy", "Autovettura", "Benzina", 1242, 51, 5, 0},
    {"Iveco", "Daily 35C14 Furgone 12 m³", "Furgone", "Gasolio", 2287, 100, 3, 1300},
    {"Fiat", "Doblò Cargo 1.6 MultiJet", "Furgone", "Gasolio", 1598, 77, 2, 750},
    {"Volkswagen", "Transporter T6.1 2.0 TDI", "Furgone", "Gasolio", 1968, 110, 3, 1000},
    {"Renault", "Kangoo Express 1.5 dCi", "Furgone", "Gasolio", 1461, 70, 2, 650},
    {"Ford", "Transit Custom 2.0 EcoBlue", "Furgone", "Gasolio", 1995, 96, 3, 1100},
    {"Citroën", "Berlingo Van 1.5 BlueHDi", "Furgone", "Gasolio", 1499, 75, 3, 800},
    {"Fiat", "Tipo Station Wagon 1.6 MultiJet", "Autovettura", "Gasolio", 1598, 96, 5, 0},
    {"Peugeot", "Partner Premium 1.5 BlueHDi", "Furgone", "Gasolio", 1499, 75, 3, 900},
    {"Mercedes-Benz", "Sprinter 314 CDI", "Furgone", "Gasolio", 2143, 105, 3, 1400},
    {"Toyota", "Yaris 1.5 Hybrid Active", "Autovettura", "Ibrida benzina/elettrica", 1490, 68, 5, 0},
    {"Iveco", "Eurocargo ML120E25 cassonato", "Autocarro", "Gasolio", 6700, 185, 3, 6500},
    {"Renault", "Master T35 2.3 dCi", "Furgone", "Gasolio", 2298, 100, 3, 1500},
    {"Opel", "Combo Cargo 1.5 Diesel", "Furgone", "Gasolio", 1499, 75, 2, 1000},
    {"Volkswagen", "Golf 2.0 TDI Business", "Autovettura", "Gasolio", 1968, 110, 5, 0},
    {"Škoda", "Octavia Wagon 2.0 TDI Style", "Autovettura", "Gasolio", 1968, 110, 5, 0},
    {"Dacia", "Duster 1.5 Blue dCi 4x4", "Autovettura", "Gasolio", 1461, 85, 5, 0},
    {"Alfa Romeo", "Giulia 2.2 Turbodiesel Super", "Autovettura", "Gasolio", 2143, 118, 5, 0},
    {"Lancia", "Ypsilon 1.0 FireFly Hybrid", "Autovettura", "Ibrida benzina/elettrica", 999, 51, 4, 0},
    {"Mercedes-Benz", "Vito 116 CDI Tourer", "Autobus", "Gasolio", 2143, 120, 9, 0},
    {"Ford", "Ranger Doppia Cabina 2.0 EcoBlue", "Autocarro", "Gasolio", 1996, 125, 5, 1000},
    {"Piaggio", "Porter NP6 cassone ribaltabile", "Autocarro", "Benzina/GPL", 1498, 78, 2, 1100},
    {"Citroën", "C3 PureTech 83 Feel", "Autovettura", "Benzina", 1199, 61, 5, 0},
    {"Fiat", "Fiorino 1.3 MultiJet SX", "Furgone", "Gasolio", 1248, 70, 2, 600},
    {"Nissan", "Qashqai 1.3 DIG-T Mild Hybrid", "Autovettura", "Ibrida benzina/elettrica", 1332, 103, 5, 0},
    {"Peugeot", "Boxer 335 L3H2 2.2 BlueHDi", "Furgone", "Gasolio", 2179, 103, 3, 1400},
    {"Toyota", "Proace City Verso 1.5D", "Autovettura", "Gasolio", 1499, 75, 7, 0},
    {"Iveco", "Stralis AS440S48 trattore", "Trattore stradale", "Gasolio", 12882, 353, 2, 0},
    {"Mercedes-Benz", "Actros 1845 LS trattore", "Trattore stradale", "Gasolio", 12809, 330, 2, 0},
    {"Renault", "Mégane Sporter 1.5 Blue dCi", "Autovettura", "Gasolio", 1461, 85, 5, 0},
    {"Opel", "Movano 2.3 CDTI furgone lungo", "Furgone", "Gasolio", 2298, 100, 3, 1450},
    {"Tesla", "Model 3 Long Range", "Autovettura", "Elettrica", 0, 324, 5, 0},
    {"Piaggio", "Ape TM 703 cassonato", "Autocarro", "Benzina", 218, 7, 1, 700},
    {"Fiat", "500X 1.0 T3 Cross", "Autovettura", "Benzina", 999, 88, 5, 0},
    {"Hyundai", "H350 Furgone 2.5 CRDi", "Furgone", "Gasolio", 2497, 110, 3, 1500},
    {"Linde", "H25D carrello elevatore", "Carrello elevatore", "Gasolio", 2600, 35, 1, 2500},
    {"Schmitz Cargobull", "S.KO Cool frigorifero", "Semirimorchio", "", 0, 0, 0, 27000},
    {"Honda", "SH 125i", "Motociclo", "Benzina", 125, 9, 2, 0},
};

const char* const kDestinazioni[] = {
    "Uso proprio",
    "Trasporto di cose in conto proprio",
    "Servizio di rappresentanza",
    "Noleggio senza conducente",
    "Cantiere",
    "Trasporto di persone (dipendenti)",
    "Trasporto di cose in conto terzi",
    "Auto di servizio per i tecnici",
    "Magazzino",
};
const char* const kColori[] = {
    "Bianco",
    "Bianco ghiaccio",
    "Grigio alluminio metallizzato",
    "Argento metallizzato",
    "Nero",
    "Blu notte metallizzato",
    "Grigio scuro",
    "Rosso passione",
    "Verde bottiglia",
    "Giallo",
    "Blu elettrico",
    "Marrone terra di Siena",
};
const char* const kStati[] = {"In servizio",     "In servizio",       "In servizio",
                              "In manutenzione", "Fermo in officina", "In attesa di revisione",
                              "Dismesso",        "In vendita"};
const char* const kMisure[] = {"175/65 R14 82T",        "195/65 R15 91H",       "205/55 R16 91V",
                               "215/65 R16C 109/107T",  "225/75 R16C 121/120R", "235/65 R16C 115/113R",
                               "315/80 R22.5 156/150L", "225/45 R17 94W XL"};
const char* const kGomme[] = {"Michelin Agilis 3",      "Pirelli Cinturato P7",   "Bridgestone Duravis R660",
                              "Continental VanContact", "Goodyear EfficientGrip", "Nokian WR Snowproof",
                              "Hankook Vantra LT"};
const char* const kNoteGomme[] = {"",
                                  " estive",
                                  " quattro stagioni",
                                  "; invernali in deposito presso il gommista",
                                  "; da sostituire entro l'inverno",
                                  "; treno nuovo montato a marzo, convergenza fatta",
                                  "; ruota di scorta di tipo ridotto"};
const char* const kAmbiente[] = {"Euro 6d", "Euro 6d-TEMP", "Euro 6", "Euro 5", "Euro 4", "Euro VI step E"};
const char* const kCompagnie[] = {
    "UnipolSai Assicurazioni S.p.A. - Agenzia di Forlì",
    "Generali Italia S.p.A. - Agenzia Generale di Cesena Centro",
    "Allianz S.p.A. - Subagenzia di Città di Castello",
    "Reale Mutua Assicurazioni - Agenzia di Perugia San Sisto",
    "Cattolica Assicurazioni - Agenzia di Verona Borgo Trento",
    "AXA Assicurazioni S.p.A.",
    "Groupama Assicurazioni - Agenzia di Rimini Nord",
    "Vittoria Assicurazioni - Agenzia di Milano Città Studi",
};
const char* const kProprietari[] = {
    "Trasporti Brenta S.r.l.",
    "Leasys Italia S.p.A. (noleggio a lungo termine)",
    "Arval Service Lease Italia S.p.A.",
    "Edilizia Romagnola S.p.A.",
    "Comune di Forlì",
    "Cooperativa Sociale La Fenice",
    "Ayvens Italia S.p.A.",
    "Consorzio Agrario dell'Emilia",
};
const char* const kOfficine[] = {
    "Officina Fratelli Marchetti s.n.c.", "Autoriparazioni Cortese di Cortese Luca",
    "Centro Assistenza Iveco Romagna",    "Carrozzeria e Officina Ca' Ossi",
    "Autofficina Bertinoro & C.",         "Concessionaria Fiat Professional Tre Emme",
    "Elettrauto Sàvio di Bruno Savio",
};
const char* const kIncidenti[] = {
    "urto in retromarcia nel piazzale aziendale, paraurti posteriore sostituito",
    "tamponamento in coda sulla A14 all'altezza di Cesena Nord; ragione al 100%",
    "specchietto retrovisore destro rotto da un mezzo in sosta, CID firmato",
    "grandinata: carrozzeria da rifare su cofano e tetto, perizia del 15 giugno",
    "danno al portellone laterale durante lo scarico in cantiere",
    "parabrezza scheggiato da un sasso, sostituito da Carglass con la polizza cristalli",
};
const char* const kEsitiIncidenti[] = {
    "", " Nessun ferito.", " Pratica chiusa, franchigia di 250 euro a carico dell'azienda.",
    " In attesa della liquidazione del danno.", " Veicolo fermo per 12 giorni."};
const char* const kNote[] = {
    "Revisione straordinaria richiesta dall'ufficio tecnico.",
    "Gomme invernali già montate; catene a bordo da novembre ad aprile.",
    "Carrozzeria da ritoccare sul lato destro: preventivo in attesa di approvazione.",
    "Veicolo assegnato alla sede di Città di Castello, chiavi di riserva in portineria.",
    "Tagliando eseguito in concessionaria, prossimo controllo freni a 150.000 km.",
    "Telepass aziendale n. 2 a bordo; carta carburante nel vano portaoggetti.",
    "Kit di pronto soccorso e estintore verificati il mese scorso.",
    "Spia dell'AdBlue accesa: rabboccare entro la settimana.",
    "Non usare per trasporti oltre i 300 km finché non è sostituita la frizione.",
    "Perché resti in garanzia, i tagliandi vanno fatti solo nella rete ufficiale.",
    "Allestimento con scaffalature Sortimo e gancio traino omologato.",
    "Da restituire alla società di noleggio alla scadenza del contratto.",
};
const char* const kAllegati[][2] = {
    {"Libretto_%s.pdf", "Libretto di circolazione"},
    {"Polizza_RCA_%s.pdf", "Polizza RCA in corso di validità"},
    {"Contratto_noleggio_%s.pdf", "Contratto di noleggio a lungo termine"},
    {"Foto_danno_%s.jpg", "Fotografie del danno alla carrozzeria"},
    {"Revisione_%s.pdf", "Certificato dell'ultima revisione"},
};

} // namespace

// --- Random ---------------------------------------------------------------------

std::uint64_t Random::Next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::size_t Random::Skewed(std::size_t n) {
    static std::map<std::size_t, std::vector<double>> tables;
    std::vector<double>& sums = tables[n];
    if (sums.empty()) {
        double s = 0;
        for (std::size_t i = 0; i < n; ++i)
            sums.push_back(s += 1.0 / double(i + 1));
    }
    const double u = double(Next() >> 11) * 0x1.0p-53 * sums.back();
    return std::size_t(std::upper_bound(sums.begin(), sums.end(), u) - sums.begin()) % n;
}

std::string Describe(const Written& w, std::size_t recordSize, const std::string& what) {
    return Format("%s %s: %.1f MB, %zu bytes of text per record", Grouped(w.records).c_str(), what.c_str(),
                  double(w.records * recordSize) / 1e6, w.records ? w.textBytes / w.records : std::size_t(0));
}

std::string DriverName(Random& random) {
    return std::string(Common(random, kCognomi)) + " " + Common(random, kNomi);
}

Written WriteVehicles(const std::string& path, std::size_t count, rtl::Date today) {
    Writer w(path, common::TAutomezzoRec);
    Random r(0x56656869636f6cull);
    const auto deadline = [&](int from, int span) -> std::string {
        const std::size_t k = r.Below(40);
        if (k == 0) return "";
        if (k == 1) return "da definire";
        return Date(today.AddDays(from + int(r.Below(std::size_t(span)))));
    };
    for (std::size_t i = 0; i < count; ++i) {
        const Modello& m = kModelli[r.Skewed(std::size(kModelli))];
        const bool targato = std::string_view(m.tipo) != "Carrello elevatore";
        const std::string targa = targato ? Plate(r) : "";
        w.Set("Tipo", m.tipo);
        w.Set("Destinazione", Common(r, kDestinazioni));
        w.Set("Marca", m.marca);
        w.Set("Modello", m.modello);
        w.Set("Targa", targa);
        w.Set("Anno", Format("%02u/%04u", unsigned(1 + r.Below(12)), unsigned(2005 + r.Below(21))));
        w.Set("Colore", Common(r, kColori));
        std::string telaio = "ZFA";
        for (int k = 0; k < 7; ++k)
            telaio += "0123456789ABCDEFGHJKLMNPRSTUVWXYZ"[r.Below(33)];
        w.Set("Telaio", telaio);
        w.Set("Pneumatici", std::string(Pick(r, kMisure)) + " " + Pick(r, kGomme) + Pick(r, kNoteGomme));
        w.Set("Stato", Pick(r, kStati));
        w.Set("Chilometri", std::to_string(r.Below(420000)));
        w.Set("Lettura", Date(today.AddDays(-int(r.Below(120)))));
        w.Set("Alimentazione", m.alimentazione);
        if (m.cilindrata) w.Set("Cilindrata", std::to_string(m.cilindrata));
        if (m.kw) w.Set("KW", std::to_string(m.kw));
        w.Set("Ambiente", Common(r, kAmbiente));
        if (m.posti) w.Set("Posti", std::to_string(m.posti));
        if (m.portata) w.Set("Portata", Format("%u kg", unsigned(m.portata)));
        w.Set("Compagnia", Common(r, kCompagnie));
        w.Set("TelAssicuratore", Phone(r, false));
        w.Set("Polizza", Format("%03u/%07u/%02u", unsigned(r.Below(1000)), unsigned(r.Below(10000000)),
                                unsigned(r.Below(100))));
        if (r.Chance(20))
            w.Set("Incidenti", "Sinistro del " + Date(today.AddDays(-int(r.Below(1500)))) + ": " +
                                   Pick(r, kIncidenti) + "." + Pick(r, kEsitiIncidenti));
        w.Set("Proprietario", Common(r, kProprietari));
        w.Set("Autista", DriverName(r));
        w.Set("TelAutista", Phone(r, true));
        w.Set("Meccanico", Common(r, kOfficine));
        w.Set("TelMeccanico", Phone(r, false));
        w.Set("ScadRevisione", deadline(-200, 900));
        w.Set("ScadTagliando", deadline(-100, 500));
        w.Set("ScadAssicurazione", deadline(-30, 400));
        w.Set("ScadBollo", deadline(-30, 400));
        std::string note;
        for (std::size_t n = r.Below(3); n > 0; --n)
            note += std::string(note.empty() ? "" : " ") + Pick(r, kNote);
        w.Set("Note", note.substr(0, 250));
        const std::size_t allegati = r.Skewed(3);
        for (std::size_t a = 0; a < allegati; ++a) {
            const auto& allegato = kAllegati[r.Below(std::size(kAllegati))];
            const std::string n = Format("%02u", unsigned(a + 1));
            w.Set("File" + n, Format(allegato[0], targato ? targa.c_str() : "senza_targa"));
            w.Set("Desc" + n, allegato[1]);
        }
        w.Add();
    }
    return w.Done();
}

Written WriteDrivers(const std::string& path, std::size_t count) {
    Writer w(path, common::TConduttoreRec);
    Random r(0x436f6e647563ull);
    static const char* const patenti[] = {
        "B", "B, C, CQC merci", "B, C, CE, CQC merci", "B, D, CQC persone", "A, B", "B, C1"};
    static const char* const recapiti[] = {"Casa", "Ufficio", "Presso la sede di Forlì", "Cantiere di Cesena",
                                           ""};
    static const char* const compensi[] = {
        "Contratto nazionale Logistica, Trasporto merci e Spedizione, livello 3S",
        "Diaria di 46,48 euro per le trasferte oltre le 24 ore",
        "Forfait mensile concordato con l'ufficio personale",
        "",
    };
    static const char* const programmi[] = {
        "Ferie in agosto, due settimane; disponibile a Natale",
        "Turno del mattino dal lunedì al venerdì",
        "Giro consegne Romagna il martedì e il giovedì",
        "Reperibilità nel fine settimana a settimane alterne",
        "",
    };
    static const char* const note[] = {
        "Disponibile nei fine settimana.",
        "Abilitato al carico con gru; corso di aggiornamento sulla sicurezza fatto a febbraio.",
        "Preferisce i giri brevi per motivi familiari.",
        "Patente in rinnovo: verificare la data della visita medica.",
        "",
        "",
    };
    static const char* const domini[] = {"gmail.com", "libero.it", "trasportibrenta.it", "alice.it",
                                         "outlook.it"};
    for (std::size_t i = 0; i < count; ++i) {
        const std::string cognome = Common(r, kCognomi), nome = Common(r, kNomi);
        const std::size_t citta = r.Skewed(std::size(kCitta));
        const Modello& m = kModelli[r.Skewed(std::size(kModelli))];
        w.Set("Conducente", cognome + " " + nome);
        w.Set("Patenti", Common(r, patenti));
        w.Set("Recapito", Pick(r, recapiti));
        w.Set("Via", Format("%s %u", Pick(r, kVie), unsigned(1 + r.Below(180))));
        w.Set("Cap", Format("%05u", unsigned(r.Below(100000))));
        w.Set("Citta", kCitta[citta]);
        w.Set("Prov", kProvince[citta]);
        w.Set("Compensi", Pick(r, compensi));
        if (r.Chance(60)) w.Set("TelCasa", Phone(r, false));
        if (r.Chance(30)) w.Set("TelUff", Phone(r, false));
        w.Set("TelCel", Phone(r, true));
        if (r.Chance(5)) w.Set("Fax", Phone(r, false));
        std::string mail = nome + "." + cognome;
        std::erase_if(mail, [](char c) { return c == ' ' || c == '\''; });
        std::transform(mail.begin(), mail.end(), mail.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        w.Set("Email", mail + Format("%u@", unsigned(r.Below(100))) + Pick(r, domini));
        std::string codice;
        for (int k = 0; k < 6; ++k)
            codice += char('A' + r.Below(26));
        codice += Digits(r, 2) + char('A' + r.Below(12)) + Digits(r, 2) + char('A' + r.Below(26)) +
                  Digits(r, 3) + char('A' + r.Below(26));
        w.Set("CodFisc", codice);
        if (r.Chance(40)) {
            w.Set("Carta", Digits(r, 4) + " " + Digits(r, 4) + " " + Digits(r, 4) + " " + Digits(r, 4));
            w.Set("ScadeCarta", Format("%02u/%04u", unsigned(1 + r.Below(12)), unsigned(2025 + r.Below(5))));
        }
        if (r.Chance(15)) w.Set("PartitaIva", Digits(r, 11));
        w.Set("Iban", "IT" + Digits(r, 2) + char('A' + r.Below(26)) + Digits(r, 22));
        if (r.Chance(70)) {
            w.Set("Veicolo", m.tipo);
            w.Set("Marca", m.marca);
            w.Set("Modello", m.modello);
            w.Set("Colore", Common(r, kColori));
            w.Set("Alimentazione", m.alimentazione);
            w.Set("Targa", Plate(r));
        }
        w.Set("Programma", Pick(r, programmi));
        w.Set("Note", Pick(r, note));
        w.Set("Ferie", r.Chance(20) ? "Sì" : "No");
        w.Set("Trasferte", r.Chance(35) ? "Sì" : "No");
        if (r.Chance(30)) {
            w.Set("File01", "Patente_" + codice + ".pdf");
            w.Set("Desc01", "Patente di guida, fronte e retro");
        }
        w.Add();
    }
    return w.Done();
}

Written WriteVisits(const std::string& path, std::size_t count, rtl::Date today) {
    Writer w(path, common::TVisitaRec);
    Random r(0x56697369746eull);
    static const char* const operatori[] = {"Guidi Franco", "Sama Loretta", "Casadei Nicolò", "Bertozzi Ivo",
                                            "Zoffoli Anna"};
    static const char* const merci[] = {
        "",
        "Consegna di 12 bancali di materiale edile",
        "Ritiro rottami ferrosi, circa 3 tonnellate",
        "Consegna gasolio per il gruppo elettrogeno",
        "Pacchi corriere espresso",
        "Attrezzature per la manutenzione del capannone B",
        "Prodotti alimentari refrigerati",
    };
    static const char* const luoghi[] = {"Magazzino A, banchina 3", "Capannone B",
                                         "Uffici amministrativi",   "Officina interna",
                                         "Piazzale di carico",      "Deposito attrezzi"};
    static const char* const note[] = {
        "",
        "",
        "",
        "Documenti lasciati in portineria.",
        "Accompagnato dal responsabile del magazzino.",
        "Scarico con il muletto a cura del nostro personale.",
        "Pass visitatore n. 14 da restituire all'uscita.",
    };
    const int year = today.Year();
    const rtl::Date first = *rtl::Date::FromYmd(year, 1, 1);
    const int days = today - first + 1;
    for (std::size_t i = 0; i < count; ++i) {
        // Transits in time order, evenly over the days of the year so far.
        const std::size_t minute = i * std::size_t(days) * 24 * 60 / count;
        const rtl::Date day = first.AddDays(int(minute / (24 * 60)));
        const unsigned hh = unsigned(6 + (minute % (24 * 60)) * 13 / (24 * 60)), mm = unsigned(r.Below(60));
        const Modello& m = kModelli[r.Skewed(std::size(kModelli))];
        w.Set("DataEnt", Date(day));
        w.Set("OraEnt", Format("%02u:%02u", hh, mm));
        w.Set("OperatoreEnt", Common(r, operatori));
        w.Set("Veicolo", std::string(m.marca) + " " + m.modello);
        w.Set("Targa", Plate(r));
        w.Set("Conduttore", DriverName(r));
        if (r.Chance(25)) w.Set("Persone", Format("%u persone: ", unsigned(1 + r.Below(3))) + DriverName(r));
        w.Set("Merce", Pick(r, merci));
        if (r.Chance(40)) w.Set("Foglio", Format("%u/%d", unsigned(1 + r.Below(3000)), year));
        if (r.Chance(20)) w.Set("Tessere", Format("Badge %04u", unsigned(r.Below(10000))));
        w.Set("Luogo", Pick(r, luoghi));
        w.Set("TelCel", Phone(r, true));
        w.Set("Note", Pick(r, note));
        // The last hundredth of the year is partly still inside.
        if (i < count - count / 100 || r.Chance(50)) {
            const unsigned out = std::min(23u, hh + 1 + unsigned(r.Below(4)));
            w.Set("DataUsc", Date(day));
            w.Set("OraUsc", Format("%02u:%02u", out, unsigned(r.Below(60))));
            w.Set("OperatoreUsc", Common(r, operatori));
        }
        w.Add();
    }
    return w.Done();
}

Written WriteTripSheets(const std::string& path, std::size_t count, int year) {
    Writer w(path, common::TFoglioRec);
    Random r(0x466f676c69ull);
    static const char* const uffici[] = {"Ufficio emittente di Forlì", "Sede di Cesena - ufficio traffico",
                                         "Filiale di Città di Castello"};
    for (std::size_t i = 0; i < count; ++i) {
        const rtl::Date day =
            rtl::Date::FromYmd(year, 1, 1)->AddDays(int(i * 360 / std::max<std::size_t>(count, 1)));
        const std::string date = Date(day),
                          time = Format("%02u:%02u", unsigned(6 + r.Below(12)), unsigned(r.Below(60)));
        const Modello& m = kModelli[r.Skewed(std::size(kModelli))];
        w.Set("NumFoglio", std::to_string(i + 1));
        w.Set("DataApertura", date);
        w.Set("OraApertura", time);
        if (!r.Chance(4)) { // about 4% still open
            w.Set("DataChiusura", date);
            w.Set("OraChiusura", Format("%02u:%02u", unsigned(14 + r.Below(8)), unsigned(r.Below(60))));
        }
        w.Set("Ufficio", Common(r, uffici));
        w.Set("Conduttore", DriverName(r));
        w.Set("TelCel", Phone(r, true));
        w.Set("Veicolo", std::string(m.marca) + " " + m.modello);
        w.Set("Targa", Plate(r));
        unsigned km = unsigned(10000 + r.Below(300000));
        const unsigned partenza = km;
        const std::size_t legs = 1 + r.Below(8);
        for (std::size_t leg = 1; leg <= legs; ++leg) {
            const std::string n = Format("%02u", unsigned(leg));
            w.Set("DataPar" + n, date);
            w.Set("OraPar" + n, time);
            w.Set("KmPar" + n, std::to_string(km));
            w.Set("LuogoPar" + n, Common(r, kCitta));
            km += unsigned(5 + r.Below(120));
            w.Set("DataArr" + n, date);
            w.Set("OraArr" + n, time);
            w.Set("KmArr" + n, std::to_string(km));
            w.Set("LuogoArr" + n, Common(r, kCitta));
        }
        if (r.Chance(30)) {
            w.Set("DataRif01", date);
            w.Set("Stazione01", "Distributore Eni di via Ravegnana, Forlì");
            w.Set("Litri01", std::to_string(20 + r.Below(60)));
            w.Set("Importo01", Format("%u,%02u", unsigned(40 + r.Below(90)), unsigned(r.Below(100))));
        }
        w.Set("LitriTot", std::to_string(r.Below(80)));
        w.Set("ImportoTot", Format("%u,%02u", unsigned(r.Below(150)), unsigned(r.Below(100))));
        w.Set("KmPartenza", std::to_string(partenza));
        w.Set("KmRientro", std::to_string(km));
        w.Set("KmPercorsi", std::to_string(km - partenza));
        w.Add();
    }
    return w.Done();
}

} // namespace bench
