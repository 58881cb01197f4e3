#include "common/Guida.h"

#include <memory>

#include "common/HelpText.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Resources.h"

TfrmGuida* frmGuida = nullptr;

namespace {

// The manual in the data folder, passed whole: the path may hold blanks.
std::string Manuale() {
    return "\"" + rtl::DataFolder() + "Guida.pdf\"";
}

} // namespace

TfrmGuida::TfrmGuida(ui::Application& app, ui::Form* owner)
    : common::TfrmLink(app, owner, "common/Guida.layout", "imgPDF", Manuale), controls::Guida(this) {
    OnShow = [this] { FormShow(); };
}

void TfrmGuida::FormShow() {
    SetSize(676, 598);
}

void TfrmGuida::ImpostaArgomento(const std::string& titolo, const std::string& testo) {
    lblTitolo.SetText(titolo);
    txtGuida.SetText(testo);
}

void ShowHelp(ui::Form& owner, const std::string& title, const std::string& text) {
    auto help = std::make_unique<TfrmGuida>(owner.App(), &owner);
    help->ImpostaArgomento(title, text);
    help->ShowModal();
}

void ShowHelpTopic(ui::Form& owner, const std::string& title, std::string_view resource) {
    std::string text;
    if (res::Find(resource)) text = LoadHelpTopic(resource).Text();
    ShowHelp(owner, title, text);
}
