#include <set>
#include <string>

#include <gtest/gtest.h>

#include "conversion/ResultFileChoice.h"

namespace slanter {
namespace {

TEST(ResultFileChoice, NamesStillShownAreSkippedRoundTheEnd) {
    const std::set<std::string> taken = {"Temp9998.bmp", "Temp9999.bmp", "Temp0000.bmp",
                                         "Temp0001.bmp"};
    const auto isTaken = [&](const std::string& name) { return taken.count(name) > 0; };
    EXPECT_EQ(ChooseResultFileName(19998, isTaken), "Temp0002.bmp");
    // The largest serial number comes round without overflowing.
    EXPECT_EQ(ChooseResultFileName(2147483647, isTaken), "Temp3647.bmp");
}

TEST(ResultFileChoice, NoNameWhenEveryOneIsTaken) {
    int asked = 0;
    const auto all = [&](const std::string&) {
        ++asked;
        return true;
    };
    EXPECT_EQ(ChooseResultFileName(5, all), "");
    EXPECT_EQ(asked, 10000);
}

} // namespace
} // namespace slanter
