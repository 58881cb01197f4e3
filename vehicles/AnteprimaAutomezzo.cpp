#include "vehicles/AnteprimaAutomezzo.h"

TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo = nullptr;
