#pragma once
// The slide show: the photos of every vehicle of the archive, full screen,
// six seconds each, in record order, starting again after the last.
#include "common/Record.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/Slideshow_Automezzi.controls.h"

class TfrmSlideshow_Automezzi : public ui::Form, public controls::Slideshow_Automezzi {
public:
    explicit TfrmSlideshow_Automezzi(ui::Application& app, ui::Form* owner = nullptr);

    // Loads the photo of the record number in lblPosizione, or shows the
    // placeholder when there is none.
    void subApriFoto();

private:
    void FormShow();
    void cmdAvantiClick();

    common::Record automezzo_;
};

extern TfrmSlideshow_Automezzi* frmSlideshow_Automezzi;
