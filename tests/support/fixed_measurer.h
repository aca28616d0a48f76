// A text measurer with fixed, font-independent metrics, for tests of the
// chart builder that must not depend on the fonts of the machine.
#pragma once

#include "chart/chart_canvas.h"

namespace tarvelo::test {

struct FixedMeasurer : TextMeasurer {
    TextSize measure(const FontState& f, std::string_view text) override {
        return {static_cast<int>(text.size()) * (f.size + 1), f.size * 2};
    }
};

} // namespace tarvelo::test
