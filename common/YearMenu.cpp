#include "common/YearMenu.h"

#include <cstdio>

#include "common/DataEntry.h"
#include "common/Routines.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Services.h"

namespace common {

void LegaAnno(ui::Edit& txtAnno) {
    txtAnno.OnKeyDown = [](ui::KeyEvent& key) { entry::DigitKeyDown(key); };
}

void MostraMenuAnno(ui::Edit& txtAnno, ui::Label& lblMemory) {
    char anno[16];
    std::snprintf(anno, sizeof anno, "%04d", rtl::Today().Year());
    txtAnno.SetText(anno);
    lblMemory.SetText("avvio");
    txtAnno.SetFocus();
}

std::optional<std::string> AnnoScelto(ui::Edit& txtAnno) {
    const std::string& anno = txtAnno.Text();
    if (anno.size() == 4 && SoloCifre(anno)) return anno;
    ui::MessageDlg("Attenzione: indicare l'anno solare utilizzando quattro cifre.", ui::DialogType::Warning,
                   ui::Buttons::OKCancel);
    txtAnno.SetFocus();
    return std::nullopt;
}

} // namespace common
