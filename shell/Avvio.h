#pragma once
// The start menu: six tiles to the work areas, and the about, splash, help,
// web-link and exit picture commands. Closing it ends the program.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAvvio : public ui::Form {
public:
    explicit TfrmAvvio(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgApp04;
    ui::Picture& btnApp04;
    ui::Picture& imgApp02;
    ui::Picture& btnApp02;
    ui::Picture& imgApp03;
    ui::Picture& btnApp03;
    ui::Picture& imgApp07;
    ui::Picture& btnApp07;
    ui::Picture& imgApp06;
    ui::Picture& btnApp06;
    ui::Picture& imgApp08;
    ui::Picture& btnApp08;
    ui::Picture& imgInfo;
    ui::Picture& imgGuida;
    ui::Picture& imgSplash;
    ui::Picture& imgSito;
    ui::Picture& imgEsci;

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
