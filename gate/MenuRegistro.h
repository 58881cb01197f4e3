#pragma once
// The gate-register year menu: a four-digit year opens the visit card on that
// year's archive; the second "Apri" opens the transit statistics.
#include "gate/MenuRegistro.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuRegistro : public ui::Form, public controls::MenuRegistro {
public:
    explicit TfrmMenuRegistro(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormClose(ui::CloseAction& action);
    void FormShow();
    void btnApriFattureClick();
    void btnApriRiepStatsClick();
    void imgGuidaClick();
};

extern TfrmMenuRegistro* frmMenuRegistro;
