#pragma once
// The splash window: the product's picture with the link to its web page.
#include "common/FinestraLink.h"
#include "shell/Splash.controls.h"

class TfrmSplash : public common::TfrmLink, public controls::Splash {
public:
    explicit TfrmSplash(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmSplash* frmSplash;
