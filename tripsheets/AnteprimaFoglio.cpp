#include "tripsheets/AnteprimaFoglio.h"

TfrmAnteprimaFoglio* frmAnteprimaFoglio = nullptr;
