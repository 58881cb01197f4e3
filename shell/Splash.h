#pragma once
// The splash window: the product's picture with the link to its web page.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmSplash : public ui::Form {
public:
    explicit TfrmSplash(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgLogo;
    ui::Picture& imgWeb;
    ui::Label& lnkWeb;
    ui::Button& btnChiudi;

private:
    void btnChiudiClick();
    void lnkWebMouseDown(ui::MouseEvent& e);
    void lnkWebMouseUp(ui::MouseEvent& e);
    void lnkWebClick();
};

extern TfrmSplash* frmSplash;
