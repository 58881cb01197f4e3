#pragma once
// The trip-sheet year menu.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuFogli : public ui::Form {
public:
    explicit TfrmMenuFogli(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& titAnnoPreventivi;
    ui::Edit& txtAnnoPreventivi;
    ui::Button& btnApriPreventivi;
    ui::Picture& imgGuida;
    ui::Picture& imgEsci;
    ui::Label& lblMemory;

private:
    void FormClose(ui::CloseAction& action);
    void FormShow();
    void btnApriPreventiviClick();
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmMenuFogli* frmMenuFogli;
