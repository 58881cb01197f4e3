#pragma once
// The attachments dialog of the vehicle and driver cards.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAllegaCartella : public ui::Form {
public:
    explicit TfrmAllegaCartella(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAllegaCartella* frmAllegaCartella;
