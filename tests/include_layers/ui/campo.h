// The Qt layer: the chart below it is allowed.
#pragma once

#include "chart/diagramma.h"
#include "document/record.h"
