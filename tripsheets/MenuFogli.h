#pragma once
// The trip-sheet year menu.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "tripsheets/MenuFogli.controls.h"

class TfrmMenuFogli : public ui::Form, public controls::MenuFogli {
public:
    explicit TfrmMenuFogli(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormClose(ui::CloseAction& action);
    void FormShow();
    void btnApriPreventiviClick();
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmMenuFogli* frmMenuFogli;
