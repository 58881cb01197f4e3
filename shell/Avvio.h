#pragma once
// The start menu: six tiles to the work areas, and the about, splash, help,
// web-link and exit picture commands. Closing it ends the program.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "shell/Avvio.controls.h"

class TfrmAvvio : public ui::Form, public controls::Avvio {
public:
    explicit TfrmAvvio(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormCreate();
    void FormClose(ui::CloseAction& action);
    void imgApp04Click();
    void imgApp02Click();
    void imgApp03Click();
    void imgApp07Click();
    void imgApp06Click();
    void imgApp08Click();
    void imgInfoClick();
    void imgSplashClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
    void ShowTile(ui::Form* window);
};

extern TfrmAvvio* frmAvvio;
