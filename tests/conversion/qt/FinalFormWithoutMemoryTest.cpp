// The result window when memory runs out: a program of its own, since starving a process
// of memory holds for all of it.
#include <optional>
#include <string>
#include <vector>

#include <QMenu>

#include "FinalFormFixture.h"
#include "shell/ConversionGuard.h"
#include "shell/qt/PendingMessages.h"
#include "support/MemoryStarvation.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

class FinalFormWithoutMemory : public testing::FinalFormTest {};

TEST_F(FinalFormWithoutMemory, AResultWithoutMemoryEndsTheRunWithAMessageAndWritesNothing) {
    Open(testing::PatternedBitmap(1, 4, 4));
    // The engine's picture size alone decides the tile: 9874 x 7291, 288 MB of cells and
    // 9 MB of file at one bit.
    engine_.SetSourceSize({3000, 3000});
    Select(7);
    ASSERT_EQ(engine_.PatternSize(7), (TPoint{9874, 7291}));
    SetPendingMessagesProcessor([] { ADD_FAILURE() << "no column may be computed"; });
    TFinalForm& form = NewForm(1);
    {
        const testing::MemoryStarvation starved;
        ASSERT_TRUE(starved.Holds());
        form.Convert();
    }
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "There is not enough memory for the converted image (9874 x 7291 "
                             "dots).\r\n(out of memory)\r\n");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ResultBitmap, nullptr);
    EXPECT_FALSE(form.findChild<QMenu*>("KFile")->isEnabled());
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
    EXPECT_FALSE(state_.Conversions.Runs());
}

} // namespace
} // namespace slanter
