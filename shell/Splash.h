#pragma once
// The splash window: the product's picture with the link to its web page.
#include "common/FinestraLink.h"

class TfrmSplash : public common::TfrmLink {
public:
    explicit TfrmSplash(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgWeb;
};

extern TfrmSplash* frmSplash;
