#include <gtest/gtest.h>

#include "shell/General.h"
#include "shell/StoredPlacement.h"
#include "support/MemorySettings.h"

namespace slanter {
namespace {

class StoredPlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::StoredSettings().clear();
        SettingsWritable = true;
    }
};

TEST_F(StoredPlacementTest, AWindowComesBackWhereItWasAndAsItWasShown) {
    WritePlacement("MethodForm", {{-30, 40, 500, 300}, WindowShow::Maximized}, true);
    const StoredPlacement read = ReadPlacement("MethodForm", {1, 2, 3, 4}, true);
    EXPECT_EQ(read.normal, (PlacementRect{-30, 40, 500, 300}));
    EXPECT_EQ(read.show, WindowShow::Maximized);
    EXPECT_EQ(testing::StoredSettings().count("MethodForm/State"), 1u);
}

TEST_F(StoredPlacementTest, AFixedSizeWindowKeepsItsDesignedSize) {
    WritePlacement("PreviewForm", {{10, 20, 500, 300}, WindowShow::Minimized}, false);
    EXPECT_EQ(testing::StoredSettings().count("PreviewForm/Width"), 0u);
    const StoredPlacement read = ReadPlacement("PreviewForm", {0, 0, 120, 90}, false);
    EXPECT_EQ(read.normal, (PlacementRect{10, 20, 120, 90}));
    EXPECT_EQ(read.show, WindowShow::Minimized);
}

TEST_F(StoredPlacementTest, WhatIsNotStoredKeepsTheWindowsOwn) {
    testing::StoredSettings()["MainForm/Top"] = "70";
    testing::StoredSettings()["MainForm/State"] = "Sideways";
    const StoredPlacement read = ReadPlacement("MainForm", {24, 21, 400, 250}, true);
    EXPECT_EQ(read.normal, (PlacementRect{24, 70, 400, 250}));
    EXPECT_EQ(read.show, WindowShow::Normal);
}

} // namespace
} // namespace slanter
