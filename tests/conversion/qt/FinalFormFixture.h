#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QObject>

#include "bitmap/HandyBitmap.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "shell/ProgramState.h"
#include "shell/TemporaryPictures.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/ShellFixture.h"
#include "support/TempFolder.h"

namespace slanter::testing {

struct ShownBox {
    std::string text;
    int flags;
    std::string caption;
};

// What the main window lends a result window, made by the test: the pattern engine, the
// opened picture with its working file in a temporary folder of the run, every message box
// caught instead of shown. Result windows are owned by an owner of the test's own.
class FinalFormTest : public ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens `picture` as the main window does: it becomes the working file, SourceBitmap
    // reads that file and the engine takes its size.
    void Open(THandyBitmap picture);
    // Selects pattern `index` of the table sorted by area, whose first entries are small.
    void Select(int index);

    // A new result window, hidden.
    TFinalForm& NewForm();
    // A new result window whose conversion has run.
    TFinalForm& Converted(std::int32_t number, bool smoothing = false);

    // The boxes shown so far, emptied.
    std::vector<ShownBox> TakeBoxes();
    // The files in the run's folder of temporary pictures, sorted by name.
    std::vector<std::string> TemporaryNames() const;

    // The folder that plays the user's temporary location.
    const TempFolder& Folder() const { return *folder_; }

    ProgramState state_;
    TSlanter& engine_ = state_.PatternEngine;
    THandyBitmap& source_ = state_.SourceBitmap;
    std::unique_ptr<QObject> owner_;
    std::vector<ShownBox> shown_;

  private:
    std::unique_ptr<TempFolder> folder_;
    MessageBoxShower previousShower_;
};

} // namespace slanter::testing
