#pragma once
// The date picker: the one calendar dialog of the system. A date field writes
// its routing tag into `lblMemory` and shows the picker modally; "Importa"
// writes the chosen date into the field that the tag names.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmCalendario : public ui::Form {
public:
    explicit TfrmCalendario(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblCampo001;
    ui::Calendar& calAppuntamenti;
    ui::Button& btnImportaData;
    ui::Button& btnAnnulla;
    ui::Label& lblMemory;

private:
    void FormCreate();
    void btnImportaDataClick();
    void btnAnnullaClick();
};

extern TfrmCalendario* frmCalendario;
