#include "tripsheets/RiepAperti.h"

#include "common/Reports.h"
#include "platform/rtl/Errors.h"
#include "tripsheets/FoglioRec.h"

TfrmRiepAperti* frmRiepAperti = nullptr;

namespace tripsheets {
void RichiamaFoglio(const common::ListaRecord& lista, const std::string& archivio, RitornoFoglio* ritorno) {
    try {
        if (!ritorno) return;
        common::Record foglio(TFoglioRec);
        if (const auto numero = lista.Richiama(archivio, foglio)) ritorno->FoglioRichiamato(foglio, *numero);
    } catch (const rtl::DataError&) {
        // A sheet that cannot be read is not recalled, without a word.
    }
}
} // namespace tripsheets

TfrmRiepAperti::TfrmRiepAperti(ui::Application& app, ui::Form* owner, tripsheets::RitornoFoglio* ritorno)
    : ui::Form(app, owner, "tripsheets/RiepAperti.layout"), controls::RiepAperti(this),
      frxReport(common::RiepilogoDati()), ritorno_(ritorno), lista_(lstRecords) {
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction&) { lista_.Svuota(); };
    txtTrova.OnKeyDown = [this](ui::KeyEvent& k) { common::TrovaKeyDown(k, btnTrova); };
    btnTrova.OnClick = [this] { common::TrovaNellaLista(lstRecords, txtTrova, trovaRicordato_); };
    btnStampa.OnClick = [this] {
        common::StampaRiepilogo(frxReport, "Riepilogo Fogli di Marcia non ancora chiusi", lstRecords.Items());
    };
    lstRecords.OnDblClick = [this] { lstRecordsDblClick(); };
    btnChiudi.OnClick = [this] { Close(); };
}

// The open sheets in file order. An archive that cannot be read is reported
// over the lines read so far: an empty list must mean that every sheet is
// closed.
void TfrmRiepAperti::FormShow() {
    trovaRicordato_.clear();
    txtTrova.SetText("");
    common::CostruisciLista(lista_, archivio_, tripsheets::FormatoFoglio(), tripsheets::FoglioAperto, false);
    txtTrova.SetFocus();
}

void TfrmRiepAperti::lstRecordsDblClick() {
    tripsheets::RichiamaFoglio(lista_, archivio_, ritorno_);
    Close();
}
