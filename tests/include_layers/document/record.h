// A relative include is followed to its folder: the chart is above.
#pragma once

#include "../chart/diagramma.h"
