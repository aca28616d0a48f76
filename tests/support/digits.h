// "Comes out to the digits given": the value rounded to as many decimals as
// the expected text shows must read exactly as that text.
#pragma once

#include "engine/decimal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvelo::test {

inline ::testing::AssertionResult HasDigits(double actual, const std::string& expected) {
    const auto point = expected.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(expected.size() - point - 1);
    std::string text = fixedAbsText(actual, decimals);
    if (actual < 0 && text.find_first_not_of("0.") != std::string::npos)
        text.insert(text.begin(), '-');
    if (text == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "value " << actual << " reads " << text << ", expected " << expected;
}

} // namespace tarvelo::test
