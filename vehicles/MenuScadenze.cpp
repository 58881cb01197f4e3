#include "vehicles/MenuScadenze.h"

#include <memory>

#include "common/Guida.h"
#include "common/StartMenu.h"
#include "vehicles/ScadAssicurazione.h"
#include "vehicles/ScadBollo.h"
#include "vehicles/ScadRevisione.h"
#include "vehicles/ScadTagliando.h"

TfrmMenuScadenze* frmMenuScadenze = nullptr;

TfrmMenuScadenze::TfrmMenuScadenze(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/MenuScadenze.layout"), controls::MenuScadenze(this) {
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    btnRevisione.OnClick = [this] { ApriLista<TfrmScadRevisione>(); };
    btnTagliando.OnClick = [this] { ApriLista<TfrmScadTagliando>(); };
    btnAssicurazione.OnClick = [this] { ApriLista<TfrmScadAssicurazione>(); };
    btnBollo.OnClick = [this] { ApriLista<TfrmScadBollo>(); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    imgEsci.OnClick = [this] { Close(); };
}

template <class Lista> void TfrmMenuScadenze::ApriLista() {
    auto lista = std::make_unique<Lista>(App(), this);
    lista->ShowModal();
}

// Closing the menu returns to the start menu.
void TfrmMenuScadenze::FormClose(ui::CloseAction&) {
    common::MostraAvvio();
}

void TfrmMenuScadenze::imgGuidaClick() {
    ShowHelpTopic(*this, "App Scadenze Imminenti", "vehicles/MenuScadenze.help");
}
