#include "FinalFormFixture.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "shell/qt/Clipboard.h"
#include "shell/PendingMessages.h"
#include "shell/qt/SaveDialog.h"

namespace slanter::testing {

void FinalFormTest::SetUp() {
    ShellTest::SetUp();
    folder_ = std::make_unique<TempFolder>();
    state_.TemporaryFiles = std::make_unique<TemporaryPictures>(folder_->Path());
    ASSERT_FALSE(state_.TemporaryFiles->Folder().empty());
    state_.WorkingFile = state_.TemporaryFiles->WorkingFileName();
    engine_.SetSortOnAngle(false);
    owner_ = std::make_unique<QObject>();
    previousShower_ =
        SetMessageBoxShower([this](const QString& text, int flags, const QString& caption) {
            shown_.push_back({text.toStdString(), flags, caption.toStdString()});
            return kOkButton;
        });
}

void FinalFormTest::TearDown() {
    owner_.reset();
    SetMessageBoxShower(previousShower_);
    SetPendingMessagesProcessor({});
    SetSaveDialogRunner({});
    SetClipboardWriter({});
    state_.TemporaryFiles.reset();
    folder_.reset();
    ShellTest::TearDown();
}

void FinalFormTest::Open(THandyBitmap picture) {
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    ASSERT_TRUE(picture.SaveToFile(state_.WorkingFile)) << picture.ErrorText();
    ASSERT_TRUE(source_.LoadFromFile(state_.WorkingFile)) << source_.ErrorText();
    engine_.SetSourceSize({source_.biWidth(), source_.biHeight()});
}

void FinalFormTest::Select(int index) {
    engine_.SetPatternIndex(index);
    ASSERT_EQ(engine_.PatternIndex(), index);
}

TFinalForm& FinalFormTest::NewForm() {
    return *new TFinalForm(state_, owner_.get()); // owned by owner_
}

TFinalForm& FinalFormTest::Converted(std::int32_t number, bool smoothing) {
    TFinalForm& form = NewForm();
    form.Window().Convert(number, smoothing);
    return form;
}

std::vector<ShownBox> FinalFormTest::TakeBoxes() {
    return std::exchange(shown_, {});
}

std::vector<std::string> FinalFormTest::TemporaryNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(state_.TemporaryFiles->Folder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace slanter::testing
