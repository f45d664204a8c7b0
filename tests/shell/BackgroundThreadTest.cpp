#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "shell/BackgroundThread.h"

namespace slanter {
namespace {

TEST(BackgroundThread, TheWorkRunsApartAndItsAnswerComesBack) {
    const std::thread::id waiting = std::this_thread::get_id();
    BackgroundThread work([waiting](BackgroundControl& control) {
        control.permille = 1000;
        return std::string(std::this_thread::get_id() == waiting ? "here" : "apart");
    });
    while (!work.Finished())
        std::this_thread::yield();
    EXPECT_EQ(work.Control().permille.load(), 1000);
    EXPECT_FALSE(work.Control().cancelled.load());
    EXPECT_EQ(work.Finish(), "apart");
}

TEST(BackgroundThread, FinishingEarlyCancelsTheWorkAndWaitsForIt) {
    // Without Cancel this work would never end.
    BackgroundThread work([](BackgroundControl& control) {
        while (!control.cancelled.load())
            std::this_thread::yield();
        return std::string("cancelled");
    });
    EXPECT_EQ(work.Finish(), "cancelled");
    EXPECT_TRUE(work.Finished());
}

} // namespace
} // namespace slanter
