#include "shell/Splash.h"

#include <string>

#include "common/Links.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash(ui::Application& app, ui::Form* owner)
    : common::TfrmLink(app, owner, "shell/Splash.layout", "imgWeb",
                       [] { return std::string(links::WebSite); }),
      controls::Splash(this) {}
