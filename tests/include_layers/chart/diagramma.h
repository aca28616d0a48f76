// A headless chart header reaching up to a window: refused.
#pragma once

#include "chart/forms/finestra.h"
#include "engine/moist_air.h"
