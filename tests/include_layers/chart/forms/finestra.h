// A chart window: ui/ is allowed, the application's windows are not.
#pragma once

#include "app/forms/principale.h"
#include "ui/campo.h"
