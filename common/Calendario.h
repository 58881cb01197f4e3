#pragma once
// The date picker: the one calendar dialog of the system. A date field writes
// its routing tag into `lblMemory`, hands the picker itself as the edit that
// receives the date and shows the picker modally; "Importa" writes the chosen
// date into that edit when the tag is one of the routing tags, and does
// nothing for any other tag.
#include <string>
#include <string_view>

#include "common/Calendario.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"

class TfrmCalendario : public ui::Form, public controls::Calendario {
public:
    explicit TfrmCalendario(ui::Application& app, ui::Form* owner = nullptr);

    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

    // The edit that "Importa" writes the date into: the date field that
    // opens the picker.
    void ImpostaCampo(ui::Edit& campo) { campo_ = &campo; }

private:
    void FormCreate();
    void FormShow();
    void btnImportaDataClick();
    void btnAnnullaClick();

    ui::Edit* campo_ = nullptr;
};

extern TfrmCalendario* frmCalendario;
