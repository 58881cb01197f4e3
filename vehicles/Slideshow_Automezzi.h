#pragma once
// The slide show of the vehicle photos.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmSlideshow_Automezzi : public ui::Form {
public:
    explicit TfrmSlideshow_Automezzi(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmSlideshow_Automezzi* frmSlideshow_Automezzi;
