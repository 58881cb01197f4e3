#include "vehicles/Slideshow_Automezzi.h"

TfrmSlideshow_Automezzi* frmSlideshow_Automezzi = nullptr;

TfrmSlideshow_Automezzi::TfrmSlideshow_Automezzi(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Slideshow_Automezzi.layout") {
}
