#include "shell/Info.h"

#include <string>

#include "common/Links.h"
#include "common/OpenURL.h"

TfrmInfo* frmInfo = nullptr;

namespace {

// A new message to the maker with subject and body filled in, passed whole.
std::string MessaggioAlProduttore() {
    return "\"" +
           MailLink(links::MakerMail, "Software Dorneval",
                    "Salve, desidererei avere le seguenti informazioni sul software in oggetto:") +
           "\"";
}

} // namespace

TfrmInfo::TfrmInfo(ui::Application& app, ui::Form* owner)
    : common::TfrmLink(app, owner, "shell/Info.layout", "imgEmail", MessaggioAlProduttore), controls::Info(
                                                                                                this) {}
