#include "vehicles/AllegaExcel.h"

#include <optional>

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "common/ListWindow.h"
#include "common/Records.h"
#include "common/Reports.h"
#include "common/Routines.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmAllegaExcel* frmAllegaExcel = nullptr;

namespace {

common::ConfigScheda ConfigurazioneCosto(const controls::AllegaExcel& w) {
    common::ConfigScheda c;
    c.archivio = [&w] { return rtl::Trim(w.lblFile.Text()); };
    c.record = &common::TCostoRec;
    c.obbligatori = {
        {&w.txtData, "Attenzione: per salvare la scheda è necessario indicare la data del costo sostenuto."},
        {&w.txtCausale, "Attenzione: per salvare la scheda è necessario indicare la causale del costo."},
        {&w.txtPagatore, "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore."},
        {&w.txtBeneficiario,
         "Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario."},
        {&w.txtImporto, "Attenzione: per salvare la scheda è necessario indicare l'importo pagato."},
    };
    c.errori.salva = ui::DialogType::Warning;
    c.primoCampo = &w.txtData;
    return c;
}

} // namespace

const common::FormatoRiga& FormatoCosto() {
    static const common::FormatoRiga formato = std::move(common::FormatoRiga(common::TCostoRec)
                                                             .Testo("Data: ")
                                                             .Colonna("Data", 10)
                                                             .Testo("   Da: ")
                                                             .Colonna("Pagatore", 26)
                                                             .Testo("   A: ")
                                                             .Colonna("Beneficiario", 26)
                                                             .Testo("  Causale: ")
                                                             .Colonna("Causale", 40)
                                                             .Testo("  Costo: € ")
                                                             .Ultima("Importo"));
    return formato;
}

TfrmAllegaExcel::TfrmAllegaExcel(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/AllegaExcel.layout"), controls::AllegaExcel(this),
      frxReport(common::RiepilogoDati()), scheda_(*this, lblPosizione, ConfigurazioneCosto(*this)),
      lista_(lstRecords) {
    // The edits take no more than their fields hold.
    for (const auto& campo : common::TCostoRec.Elements())
        Get<ui::Edit>("txt" + campo.name).SetMaxLength(campo.ref.capacity);

    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    btnAggiungi.OnClick = [this] { btnAggiungiClick(); };
    btnModifica.OnClick = [this] { btnModificaClick(); };
    btnSalva.OnClick = [this] { btnSalvaClick(); };
    impData.OnClick = [this] { impDataClick(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnChiudi.OnClick = [this] { Close(); };
    cmdClose.OnClick = [this] { Close(); };

    entry::BindStyleHighlight(txtData);
    entry::BindStyleHighlight(txtCausale);
    entry::BindStyleHighlight(txtPagatore);
    entry::BindStyleHighlight(txtBeneficiario);
    entry::BindStyleHighlight(txtImporto);
    txtImporto.OnExit = [this] { txtImportoExit(); };
    txtData.OnKeyDown = [this](ui::KeyEvent& k) { entry::ChainKeyDown(k, txtCausale); };
    txtCausale.OnKeyDown = [this](ui::KeyEvent& k) { entry::ChainKeyDown(k, txtPagatore); };
    txtPagatore.OnKeyDown = [this](ui::KeyEvent& k) { entry::ChainKeyDown(k, txtBeneficiario); };
    txtBeneficiario.OnKeyDown = [this](ui::KeyEvent& k) { entry::ChainKeyDown(k, txtImporto); };
    txtImporto.OnKeyDown = [this](ui::KeyEvent& k) { entry::AmountKeyDown(k, txtData); };
}

void TfrmAllegaExcel::ImpostaVeicolo(const std::string& posizione, const std::string& marca,
                                     const std::string& modello, const std::string& targa) {
    posizione_ = posizione;
    marca_ = marca;
    modello_ = modello;
    targa_ = targa;
}

std::string TfrmAllegaExcel::Veicolo() const {
    return marca_ + " " + modello_ + " targata " + targa_;
}

// Lists the vehicle's costs in the order of entry and shows their total.
void TfrmAllegaExcel::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    lblTotale.SetText("0,00");
    lblTitolo.SetText(Veicolo());
    lblFile.SetText(rtl::DataPath("Costi_Veicolo_" + posizione_ + ".pro"));

    // A cost whose amount is not a number is listed, and ends the building
    // there: no later cost is listed or added. A cost file that cannot be
    // opened or read ends the list where it is, and is reported over what
    // was read.
    static const common::FieldRef campoImporto = common::TCostoRec.Field("Importo");
    double somma = 0;
    bool fermata = false;
    const bool letta = common::CostruisciLista(
        lista_, rtl::Trim(lblFile.Text()), FormatoCosto(),
        [&somma, &fermata](const common::RecordView& r) {
            if (fermata) return false;
            const std::string importo = r.Get(campoImporto);
            if (importo.empty()) return false;
            const std::optional<double> valore = rtl::ParseDecimal(importo);
            if (valore)
                somma += *valore;
            else
                fermata = true;
            return true;
        },
        false);
    // No line is selected: "Modifica costo" asks for a choice first.

    if (letta && !fermata) {
        lblTotale.SetText("€ " + common::FormattaImporto(somma, 2));
        txtTrova.SetFocus();
    } else {
        lblTotale.SetText(rtl::FormatGeneral(somma));
    }
}

void TfrmAllegaExcel::FormClose(ui::CloseAction&) {
    lista_.Svuota();
}

void TfrmAllegaExcel::MostraPannelloCosti() {
    panCosti.Show();
    panContainer.Hide();
    txtData.SetFocus();
}

void TfrmAllegaExcel::btnAggiungiClick() {
    txtData.SetText("");
    txtCausale.SetText("");
    txtPagatore.SetText("");
    txtBeneficiario.SetText("");
    lblPosizione.SetText("");
    txtImporto.SetText("0,00");
    MostraPannelloCosti();
}

// Loads the selected cost into the edit panel.
void TfrmAllegaExcel::btnModificaClick() {
    if (lstRecords.Count() == 0) {
        ui::MessageDlg("Modifica non applicabile: la lista non contiene nessuna voce.",
                       ui::DialogType::Information, ui::Buttons::OKCancel);
        return;
    }
    const int scelta = lstRecords.ItemIndex();
    if (scelta < 0) {
        ui::MessageDlg(
            "Attenzione: selezionare una voce dall'elenco prima di premere il pulsante di modifica.",
            ui::DialogType::Warning, ui::Buttons::OKCancel);
        return;
    }
    std::optional<std::int64_t> numero;
    try {
        numero = lista_.Richiama(rtl::Trim(lblFile.Text()), scheda_.Buffer());
    } catch (const rtl::DataError&) {
        // A cost that cannot be read closes the sheet without a word.
    }
    if (!numero) {
        Close();
        return;
    }
    scheda_.Mostra(*numero);
    MostraPannelloCosti();
}

// Stores the cost of the edit panel: rewritten at its number, or appended.
// A given amount is stored in its normal form, whatever way it reached the
// edit, so that the total always adds up normalised amounts.
void TfrmAllegaExcel::btnSalvaClick() {
    if (!rtl::Trim(txtImporto.Text()).empty())
        txtImporto.SetText(common::NormalizzaImporto2(txtImporto.Text()));
    scheda_.Salva();
}

void TfrmAllegaExcel::impDataClick() {
    txtData.SetText(rtl::FormatDate(rtl::Today()));
}

void TfrmAllegaExcel::txtImportoExit() {
    entry::StyleExit(txtImporto, entry::Resting);
    txtImporto.SetText(common::NormalizzaImporto2(txtImporto.Text()));
}

void TfrmAllegaExcel::btnStampaClick() {
    const std::vector<std::string> totale = {"--------------------------",
                                             "TOTALE COSTI:      " + rtl::Trim(lblTotale.Text())};
    common::StampaRiepilogo(frxReport, "Riepilogo costi sostenuti per " + Veicolo(), lstRecords.Items(),
                            totale);
}
