#include "gate/Visite.h"

#include "common/Archive.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Text.h"

namespace gate {

namespace {
// The columns every visit line begins with: vehicle, then the plate.
common::FormatoRiga InizioFormato(std::size_t larghezzaVeicolo) {
    common::FormatoRiga formato(TVisitaRec);
    formato.Colonna("Veicolo", larghezzaVeicolo).Testo("  Targa: ").Colonna("Targa", 12);
    return formato;
}

// The end of every visit line: the driver, whole.
common::FormatoRiga Fine(common::FormatoRiga formato) {
    return std::move(formato.Testo("  Conduttore: ").Ultima("Conduttore"));
}

void Due(std::string& out, int n) {
    out += char('0' + n / 10 % 10);
    out += char('0' + n % 10);
}
} // namespace

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
    return rtl::TrimView(common::RawText(visita.Bytes(), campo));
}

const common::FormatoRiga& FormatoUscitiOggi() {
    static const common::FormatoRiga formato = Fine(std::move(InizioFormato(30)
                                                                  .Testo("  Ora uscita: ")
                                                                  .Colonna("OraUsc", 5)
                                                                  .Testo("  Entrata: ")
                                                                  .Colonna("DataEnt", 10)
                                                                  .Testo("  Ora: ")
                                                                  .Colonna("OraEnt", 5)));
    return formato;
}

const common::FormatoRiga& FormatoEntratiOggi() {
    static const common::FormatoRiga formato = Fine(std::move(InizioFormato(30)
                                                                  .Testo("  Ora entrata: ")
                                                                  .Colonna("OraEnt", 5)
                                                                  .Testo("  Uscita: ")
                                                                  .Colonna("DataUsc", 10)
                                                                  .Testo("  Ora: ")
                                                                  .Colonna("OraUsc", 5)));
    return formato;
}

const common::FormatoRiga& FormatoNonUsciti() {
    static const common::FormatoRiga formato = Fine(std::move(
        InizioFormato(30).Testo("  Entrata: ").Colonna("DataEnt", 10).Testo("  Ora: ").Colonna("OraEnt", 5)));
    return formato;
}

const common::FormatoRiga& FormatoTrovaVisite() {
    static const common::FormatoRiga formato = Fine(std::move(InizioFormato(28)
                                                                  .Testo("  Entrata: ")
                                                                  .Colonna("DataEnt", 10)
                                                                  .Testo("  Ora: ")
                                                                  .Colonna("OraEnt", 5)
                                                                  .Testo("  Uscita: ")
                                                                  .Colonna("DataUsc", 10)
                                                                  .Testo("  Ora: ")
                                                                  .Colonna("OraUsc", 5)));
    return formato;
}

bool RichiamaVisita(const common::ListaRecord& lista, const std::string& archivio, RitornoVisita* ritorno) {
    if (!lista.NumeroSelezionato() || !ritorno) return false;
    // Read into a buffer of its own first: a failed read leaves the card's
    // buffer and fields as they were.
    common::Record visita(TVisitaRec);
    const auto numero = lista.Richiama(archivio, visita);
    if (!numero) return false;
    ritorno->VisitaRichiamata(visita, *numero);
    return true;
}

} // namespace gate
