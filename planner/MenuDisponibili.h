#pragma once
// The planner menu.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuDisponibili : public ui::Form {
public:
    explicit TfrmMenuDisponibili(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& titAnnoFatture;
    ui::Edit& txtAnnoFatture;
    ui::Picture& imgGuida;
    ui::Picture& imgEsci;
    ui::Label& lblMemory;
    ui::Label& lblFile;

private:
    void FormClose(ui::CloseAction& action);
    void FormShow();
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmMenuDisponibili* frmMenuDisponibili;
