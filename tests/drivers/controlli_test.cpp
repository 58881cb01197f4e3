#include <gtest/gtest.h>

#include "drivers/Carta.h"
#include "drivers/CodFisc.h"
#include "drivers/Iban.h"
#include "drivers/PartitaIva.h"
