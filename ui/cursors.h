// The diagram's circled-cross cursor ("CROCE_CERCHIATO").
#pragma once

#include <QCursor>

namespace tarvelo::ui {

QCursor croceCerchiato();

} // namespace tarvelo::ui
