#pragma once
// The transit statistics window.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStatistiche : public ui::Form {
public:
    explicit TfrmStatistiche(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtAnno;
    ui::Picture& imgGuida;
    ui::Picture& imgEsci;

private:
    void FormClose(ui::CloseAction& action);
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmStatistiche* frmStatistiche;
