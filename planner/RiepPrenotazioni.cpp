#include "planner/RiepPrenotazioni.h"

#include <vector>

#include "common/GiorniPlanner.h"
#include "common/Reports.h"
#include "platform/rtl/Text.h"

TfrmRiepPrenotazioni* frmRiepPrenotazioni = nullptr;

namespace {
constexpr int kLarghezzaVoci = 760;
}

std::string EtichettaGiorno(int month, int day) {
    std::string giorno = std::to_string(day);
    if (giorno.size() < 2) giorno = "0" + giorno;
    return rtl::PadRight(giorno + " " + planner::NomeMese(month), 15);
}

std::string& TfrmRiepPrenotazioni::UltimaRicerca() {
    static std::string ultima;
    return ultima;
}

TfrmRiepPrenotazioni::TfrmRiepPrenotazioni(ui::Application& app, ui::Form* owner,
                                           const PrenotazioniPlanner* planner)
    : ui::Form(app, owner, "planner/RiepPrenotazioni.layout"), controls::RiepPrenotazioni(this),
      frxReport(common::RiepilogoDati()), planner_(planner), lista_(lstRecords) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, UltimaRicerca()); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnChiudi.OnClick = [this] { Close(); };
    FormCreate();
}

// The list, built once: every day of the planner whose trimmed text is not
// empty, in calendar order, its label then its text. It comes from the
// planner's day cells, not from a file, so no failure of the data can stop it.
void TfrmRiepPrenotazioni::FormCreate() {
    txtTrova.SetText("");
    std::vector<common::VoceLista> voci;
    if (planner_) {
        for (const planner::Giorno& g : planner::Giorni()) {
            std::string testo = planner_->TestoCella(g.index);
            if (!testo.empty()) voci.push_back({EtichettaGiorno(g.month, g.day) + testo, 0});
        }
    }
    lista_.Imposta(std::move(voci), kLarghezzaVoci);
    txtTrova.SetFocus();
}

void TfrmRiepPrenotazioni::FormClose(ui::CloseAction&) {
    lista_.Svuota();
}

// The list report of the lines, titled with the planner's vehicle and year
// as they are at the moment of printing.
void TfrmRiepPrenotazioni::btnStampaClick() {
    std::string titolo = "Riepilogo prenotazioni veicolo ";
    if (planner_) {
        const PrenotazioniPlanner::Veicolo v = planner_->VeicoloPrenotato();
        titolo += v.marca + " " + v.modello + " anno " + v.anno;
    }
    common::StampaRiepilogo(frxReport, titolo, lstRecords.Items());
}
