#include "tripsheets/Numerazione.h"

#include <cmath>
#include <optional>

#include "common/Archive.h"
#include "common/DataEntry.h"
#include "common/Routines.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"
#include "tripsheets/FoglioRec.h"

TfrmNumerazione* frmNumerazione = nullptr;

namespace {
bool PerFogli(const ui::Label& lblMemory) {
    return rtl::Trim(lblMemory.Text()) == "fogli";
}
} // namespace

TfrmNumerazione::TfrmNumerazione(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/Numerazione.layout"), controls::Numerazione(this) {
    OnShow = [this] { FormShow(); };
    txtInizio.SetMaxLength(5);
    txtInizio.OnEnter = [this] { entry::RectEnter(effInizio); };
    txtInizio.OnExit = [this] { txtInizioExit(); };
    txtInizio.OnKeyDown = [this](ui::KeyEvent& k) { entry::DigitKeyDown(k, btnApplica); };
    btnApplica.OnClick = [this] { btnApplicaClick(); };
    btnAnnulla.OnClick = [this] { Close(); };
}

// The stored start number (only for the trip sheets), 1 when there is none;
// taking the focus selects it, so that a number typed at once replaces it. A
// failed read reaches the standard error box; a file that another
// workstation holds is said so, and the dialog shows 1.
void TfrmNumerazione::FormShow() {
    std::optional<std::string> letto;
    if (PerFogli(lblMemory)) {
        try {
            letto = tripsheets::InizioNumerazione();
            txtInizio.SetText(*letto);
        } catch (const rtl::FileBusy&) {
            ui::ShowMessage(std::string(common::kMsgFileInUso));
        }
    }
    if (rtl::TrimView(txtInizio.Text()).empty()) txtInizio.SetText("1");
    inizioLetto_ = rtl::Trim(letto.value_or(txtInizio.Text()));
    txtInizio.SetFocus();
}

// Leaving the number: a whole number rounded half up without leading zeros;
// empty or not a number gives 1.
void TfrmNumerazione::txtInizioExit() {
    entry::RectExit(effInizio);
    const auto numero = rtl::ParseDecimal(rtl::Trim(txtInizio.Text()));
    if (!numero || !std::isfinite(*numero)) {
        txtInizio.SetText("1");
        return;
    }
    txtInizio.SetText(rtl::FormatGeneral(common::Arrotonda(*numero, 0)));
}

// The number is tidied by leaving the edit, then stored when it differs
// from the one read; a failed write reaches the standard error box and the
// dialog stays open, as it does when another workstation holds the file.
void TfrmNumerazione::btnApplicaClick() {
    btnApplica.SetFocus();
    const std::string inizio = rtl::Trim(txtInizio.Text());
    if (PerFogli(lblMemory) && inizio != inizioLetto_) {
        try {
            tripsheets::ScriviInizioNumerazione(inizio);
        } catch (const rtl::FileBusy&) {
            ui::ShowMessage(std::string(common::kMsgFileInUso));
            return;
        }
    }
    Close();
}
