#pragma once
// The slide show: the photos of every vehicle of the archive, full screen,
// six seconds each, in record order, starting again after the last.
#include "common/Record.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmSlideshow_Automezzi : public ui::Form {
public:
    explicit TfrmSlideshow_Automezzi(ui::Application& app, ui::Form* owner = nullptr);

    ui::Panel& panContainer;
    ui::Picture& imgFoto;
    ui::Label& lblPosizione;
    ui::Picture& cmdAvanti;
    ui::Picture& imgBianco;
    ui::Timer& Timer;

    // Loads the photo of the record number in lblPosizione, or shows the
    // placeholder when there is none.
    void subApriFoto();

private:
    void FormShow();
    void cmdAvantiClick();

    common::Record automezzo_;
};

extern TfrmSlideshow_Automezzi* frmSlideshow_Automezzi;
