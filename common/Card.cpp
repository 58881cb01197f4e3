#include "common/Card.h"

#include <stdexcept>

#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {
constexpr std::string_view kSi = "Sì";
constexpr std::string_view kNo = "No";

void Avviso(std::string_view text, ui::DialogType type) {
    ui::MessageDlg(std::string(text), type, ui::Buttons::OKCancel);
}
} // namespace

SchedaArchivio::SchedaArchivio(ui::Form& form, ui::Label& lblPosizione, ConfigScheda config)
    : form_(form), config_(std::move(config)),
      buffer_(config_.record ? *config_.record : throw std::invalid_argument("scheda senza tipo di record")),
      lblPosizione_(lblPosizione) {
    if (config_.quandoFocus != ConfigScheda::Focus::Nessuno && !config_.btnFocus)
        throw std::invalid_argument("scheda senza btnFocus");
    for (const auto& e : config_.record->Elements()) {
        ui::Control* c = nullptr;
        if (config_.controllo) {
            c = &form_.Get<ui::Control>(config_.controllo(e.name));
        } else {
            c = form_.FindControl("txt" + e.name);
            if (!c) c = form_.FindControl("lbl" + e.name);
            if (!c) c = &form_.Get<ui::CheckBox>("chk" + e.name);
        }
        legami_.push_back({e.name, e.ref, c, dynamic_cast<ui::CheckBox*>(c)});
    }
}

std::optional<ui::DialogType> SchedaArchivio::TipoErrore(Comando c) const {
    const auto& e = config_.errori;
    switch (c) {
    case Comando::Nuovo:
        return e.nuovo;
    case Comando::Salva:
        return e.salva;
    case Comando::Primo:
        return e.primo;
    case Comando::Indietro:
        return e.indietro;
    case Comando::Avanti:
        return e.avanti;
    case Comando::Ultimo:
        return e.ultimo;
    case Comando::Duplica:
        return ui::DialogType::Error;
    }
    return std::nullopt;
}

void SchedaArchivio::Errore(Comando c, const rtl::DataError& e) const {
    if (const auto type = TipoErrore(c)) Avviso(MessaggioAccesso(e, kMsgAccessoArchivio), *type);
}

void SchedaArchivio::SvuotaCampi() {
    for (const Legame& l : legami_) {
        if (l.casella) {
            l.casella->SetChecked(false);
        } else if (auto* combo = dynamic_cast<ui::ComboEdit*>(l.controllo)) {
            combo->SetItemIndex(-1);
            combo->SetText("");
        } else {
            l.controllo->SetText("");
        }
    }
}

void SchedaArchivio::RiempiBuffer() {
    for (const Legame& l : legami_)
        buffer_.Set(l.ref,
                    l.casella ? (l.casella->Checked() ? kSi : kNo) : std::string_view(l.controllo->Text()));
}

void SchedaArchivio::Mostra(std::int64_t numero) {
    for (const Legame& l : legami_) {
        const std::string text = buffer_.Get(l.ref);
        if (l.casella) {
            // "Sì" ticks, "No" clears, anything else leaves the box alone.
            if (text == kSi)
                l.casella->SetChecked(true);
            else if (text == kNo)
                l.casella->SetChecked(false);
        } else {
            l.controllo->SetText(text);
        }
    }
    lblPosizione_.SetText(std::to_string(numero));
}

void SchedaArchivio::Leggi(Archivio& a, std::int64_t numero) {
    a.Leggi(numero, buffer_);
    a.Chiudi();
    Mostra(numero);
    if (config_.dopoMostra) config_.dopoMostra();
}

void SchedaArchivio::Nuovo() {
    try {
        SvuotaCampi();
        lblPosizione_.SetText("");
        if (config_.dopoNuovo) config_.dopoNuovo();
        if (config_.primoCampo) config_.primoCampo->SetFocus();
    } catch (const rtl::DataError& e) {
        Errore(Comando::Nuovo, e);
    }
}

void SchedaArchivio::Salva() {
    using Focus = ConfigScheda::Focus;
    if (config_.quandoFocus == Focus::PrimaDeiControlli) config_.btnFocus->SetFocus();
    for (const CampoObbligatorio& o : config_.obbligatori) {
        ui::Control& c = *o.controllo;
        if (rtl::TrimView(c.Text()).empty()) {
            Avviso(o.messaggio, ui::DialogType::Warning);
            c.SetFocus();
            return;
        }
    }
    if (config_.quandoFocus == Focus::DopoIControlli) config_.btnFocus->SetFocus();
    bool riscritta = false;
    try {
        const std::string numero = lblPosizione_.Text();
        riscritta = !rtl::TrimView(numero).empty();
        Archivio a(config_.archivio(), *config_.record);
        RiempiBuffer();
        const std::int64_t scritto = a.Scrivi(numero, buffer_);
        lblPosizione_.SetText(std::to_string(scritto));
        if (config_.dopoSalva) config_.dopoSalva();
    } catch (const rtl::DataError& e) {
        Errore(Comando::Salva, e);
        return;
    }
    Avviso(riscritta ? kMsgModificheSalvate : kMsgSchedaInserita, ui::DialogType::Information);
    if (config_.dopoConferma) config_.dopoConferma();
}

void SchedaArchivio::Primo() {
    try {
        Archivio a(config_.archivio(), *config_.record);
        if (a.Conta() == 0) {
            a.Chiudi();
            Avviso(kMsgArchivioVuoto, ui::DialogType::Information);
            return;
        }
        Leggi(a, 1);
    } catch (const rtl::DataError& e) {
        Errore(Comando::Primo, e);
    }
}

void SchedaArchivio::Ultimo() {
    try {
        Archivio a(config_.archivio(), *config_.record);
        const std::int64_t count = a.Conta();
        if (count == 0) {
            a.Chiudi();
            Avviso(kMsgArchivioVuoto, ui::DialogType::Information);
            return;
        }
        Leggi(a, count);
    } catch (const rtl::DataError& e) {
        Errore(Comando::Ultimo, e);
    }
}

void SchedaArchivio::Avanti() {
    try {
        Archivio a(config_.archivio(), *config_.record);
        const std::int64_t count = a.Conta();
        if (count == 0) {
            a.Chiudi();
            lblPosizione_.SetText("");
            Avviso(kMsgArchivioVuoto, ui::DialogType::Information);
            return;
        }
        // An empty number counts as 0 (a new card goes to record 1); the 0
        // is never written into the label.
        const std::string_view pos = rtl::TrimView(lblPosizione_.Text());
        std::int64_t n = 0;
        if (!pos.empty() && pos != "0") {
            const auto numero = NumeroRecord(pos);
            if (!numero) throw AccessoArchivio("numero di scheda non valido");
            n = *numero;
        }
        if (n < count) Leggi(a, n + 1);
    } catch (const rtl::DataError& e) {
        Errore(Comando::Avanti, e);
    }
}

void SchedaArchivio::Indietro() {
    try {
        const std::string_view pos = rtl::TrimView(lblPosizione_.Text());
        Archivio a(config_.archivio(), *config_.record);
        if (pos == "1") return;
        if (a.Conta() == 0) {
            a.Chiudi();
            Avviso(kMsgArchivioVuoto, ui::DialogType::Information);
            return;
        }
        std::int64_t numero = 1; // a new card goes to record 1
        if (!pos.empty()) {
            const auto n = NumeroRecord(pos);
            if (!n) throw AccessoArchivio("numero di scheda non valido");
            numero = *n > 2 ? *n - 1 : 1;
        }
        Leggi(a, numero);
    } catch (const rtl::DataError& e) {
        Errore(Comando::Indietro, e);
    }
}

void SchedaArchivio::Duplica() {
    if (rtl::TrimView(lblPosizione_.Text()).empty()) {
        Avviso(kMsgDuplicaNonSalvata, ui::DialogType::Warning);
        return;
    }
    try {
        for (ui::Control* c : config_.nonDuplicare)
            c->SetText("");
        lblPosizione_.SetText("");
        if (config_.passiDuplica) config_.passiDuplica();
        if (config_.primoCampo) config_.primoCampo->SetFocus();
    } catch (const rtl::DataError& e) {
        Errore(Comando::Duplica, e);
        return;
    }
    Avviso(kMsgDuplicata, ui::DialogType::Information);
}

} // namespace common
