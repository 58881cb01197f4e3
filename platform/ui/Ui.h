#pragma once
// Everything a window class needs from the model.
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Services.h"
#include "platform/ui/Types.h"
