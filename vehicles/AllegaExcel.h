#pragma once
// The cost sheet of a vehicle.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAllegaExcel : public ui::Form {
public:
    explicit TfrmAllegaExcel(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAllegaExcel* frmAllegaExcel;
