#pragma once
// The about window, with the mail link to the maker.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmInfo : public ui::Form {
public:
    explicit TfrmInfo(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgLogo;
    ui::Picture& imgEmail;
    ui::Label& lnkWeb;
    ui::Button& btnChiudi;

private:
    void btnChiudiClick();
    void lnkWebMouseDown(ui::MouseEvent& e);
    void lnkWebMouseUp(ui::MouseEvent& e);
    void lnkWebClick();
};

extern TfrmInfo* frmInfo;
