#include "gate/Visite.h"

#include <stdexcept>

#include "gate/Registro.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Text.h"

namespace gate {

namespace {
const common::FieldRef kVeicolo = TVisitaRec.field("Veicolo");
const common::FieldRef kTarga = TVisitaRec.field("Targa");
const common::FieldRef kDataEnt = TVisitaRec.field("DataEnt");
const common::FieldRef kOraEnt = TVisitaRec.field("OraEnt");
const common::FieldRef kDataUsc = TVisitaRec.field("DataUsc");
const common::FieldRef kOraUsc = TVisitaRec.field("OraUsc");
const common::FieldRef kConduttore = TVisitaRec.field("Conduttore");

common::RigaLista InizioRiga(const common::RecordView& v, std::size_t larghezzaVeicolo) {
    common::RigaLista riga;
    riga.colonna(v, kVeicolo, larghezzaVeicolo).testo("  Targa: ").colonna(v, kTarga, 12);
    return riga;
}

std::string FineRiga(common::RigaLista& riga, const common::RecordView& v) {
    return std::move(riga.testo("  Conduttore: ").ultima(v, kConduttore)).str();
}

void Due(std::string& out, int n) {
    out += char('0' + n / 10 % 10);
    out += char('0' + n % 10);
}
} // namespace

std::string ArchivioVisite() {
    if (!frmRegistro) throw std::runtime_error("scheda dei visitatori assente");
    return rtl::Trim(frmRegistro->lblFile.Text());
}

std::string TestoOggi() {
    const rtl::Date oggi = rtl::Today();
    std::string out;
    Due(out, oggi.Day());
    out += '/';
    Due(out, oggi.Month());
    out += '/';
    const int anno = oggi.Year();
    Due(out, anno / 100);
    Due(out, anno);
    return out;
}

std::string_view CampoGrezzo(const common::RecordView& visita, common::FieldRef campo) {
    return rtl::TrimView(common::RawText(visita.bytes(), campo));
}

std::string RigaUscitiOggi(const common::RecordView& v) {
    common::RigaLista riga = InizioRiga(v, 30);
    riga.testo("  Ora uscita: ").colonna(v, kOraUsc, 5).testo("  Entrata: ").colonna(v, kDataEnt, 10);
    riga.testo("  Ora: ").colonna(v, kOraEnt, 5);
    return FineRiga(riga, v);
}

std::string RigaEntratiOggi(const common::RecordView& v) {
    common::RigaLista riga = InizioRiga(v, 30);
    riga.testo("  Ora entrata: ").colonna(v, kOraEnt, 5).testo("  Uscita: ").colonna(v, kDataUsc, 10);
    riga.testo("  Ora: ").colonna(v, kOraUsc, 5);
    return FineRiga(riga, v);
}

std::string RigaNonUsciti(const common::RecordView& v) {
    common::RigaLista riga = InizioRiga(v, 30);
    riga.testo("  Entrata: ").colonna(v, kDataEnt, 10).testo("  Ora: ").colonna(v, kOraEnt, 5);
    return FineRiga(riga, v);
}

std::string RigaTrovaVisite(const common::RecordView& v) {
    common::RigaLista riga = InizioRiga(v, 28);
    riga.testo("  Entrata: ").colonna(v, kDataEnt, 10).testo("  Ora: ").colonna(v, kOraEnt, 5);
    riga.testo("  Uscita: ").colonna(v, kDataUsc, 10).testo("  Ora: ").colonna(v, kOraUsc, 5);
    return FineRiga(riga, v);
}

bool RichiamaVisita(const common::ListaRecord& lista) {
    if (!lista.NumeroSelezionato()) return false;
    if (!frmRegistro) throw std::runtime_error("scheda dei visitatori assente");
    common::SchedaArchivio& scheda = frmRegistro->Scheda();
    // Read into a buffer of its own first: a failed read leaves the card's
    // buffer and fields as they were.
    common::Record visita(TVisitaRec);
    const auto numero = lista.Richiama(ArchivioVisite(), visita);
    if (!numero) return false;
    std::copy(visita.bytes().begin(), visita.bytes().end(), scheda.buffer().bytes().begin());
    scheda.Mostra(*numero);
    return true;
}

} // namespace gate
