// The manual "Guida.pdf": every embedded help topic, by chapters.
#include "common/HelpText.h"
#include "tools/install/Install.h"
#include "tools/install/ManualPdf.h"

namespace install {

void InstallManual(const std::string& folder) {
    WriteManualPdf("Guida di Dorneval", HelpChapters(), folder + "Guida.pdf");
}

} // namespace install
