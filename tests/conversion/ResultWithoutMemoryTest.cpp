// The result window's flow when memory runs out: a program of its own, since starving a
// process of memory holds for all of it.
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "shell/General.h"
#include "support/FakeResultView.h"
#include "support/MemoryStarvation.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

TEST(ResultWithoutMemory, AResultWithoutMemoryEndsTheRunWithAMessageAndWritesNothing) {
    Japanese = false;
    testing::TempFolder folder;
    ProgramState state;
    state.TemporaryFiles = std::make_unique<TemporaryPictures>(folder.Path());
    state.SourceBitmap = testing::PatternedBitmap(1, 4, 4);
    // The engine's picture size alone decides the tile: 9874 x 7291, 288 MB of cells and
    // 9 MB of file at one bit.
    state.PatternEngine.SetSortOnAngle(false);
    state.PatternEngine.SetSourceSize({3000, 3000});
    state.PatternEngine.SetPatternIndex(7);
    ASSERT_EQ(state.PatternEngine.PatternSize(7), (TPoint{9874, 7291}));
    testing::ResultWindowFakes window(state);
    window.services.meanwhile = [] { ADD_FAILURE() << "no column may be computed"; };
    {
        const testing::MemoryStarvation starved;
        ASSERT_TRUE(starved.Holds());
        window.presenter.Convert(1, false);
    }
    EXPECT_EQ(window.services.LastMessage(),
              "There is not enough memory for the converted image (9874 x 7291 "
              "dots).\r\n(out of memory)\r\n");
    EXPECT_TRUE(window.view.closed);
    EXPECT_FALSE(std::filesystem::exists(state.TemporaryFiles->FileName("Temp0001.bmp")));
    EXPECT_FALSE(state.Conversions.Runs());
}

} // namespace
} // namespace slanter
