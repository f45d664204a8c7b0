#include "support/FakeServices.h"

#include "shell/FileCopy.h"
#include "shell/MessageFlags.h"

namespace slanter {

int FakeServices::Message(const std::string& text, int flags, const std::string& caption) {
    messages.push_back({text, flags, caption});
    return kOkButton;
}

void FakeServices::GeneralError(const std::string& text) {
    generalErrors.push_back(text);
}

namespace {

std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<std::string> FakeServices::ChooseOpenFile(const FileDialogRequest& request) {
    openRequests.push_back(request);
    return NextAnswer(openAnswers);
}

std::optional<std::string> FakeServices::ChooseSaveFile(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return NextAnswer(saveAnswers);
}

std::optional<TPoint> FakeServices::AskPictureSize(TPoint original, TPoint current) {
    sizesAsked.emplace_back(original, current);
    return sizeAnswer;
}

ClipboardPicture FakeServices::PasteBitmap(const std::string& bmpFile) {
    if (!clipboardFile)
        return ClipboardPicture::None;
    return CopyFileReplacing(*clipboardFile, bmpFile) ? ClipboardPicture::Written
                                                      : ClipboardPicture::NotWritten;
}

void FakeServices::CopyBitmapFile(const std::string& bmpFile) {
    copiedFiles.push_back(bmpFile);
}

std::string FakeServices::WriteIconFile(const std::string& iconFile, const std::string& bmpFile,
                                        bool onWhite) {
    if (iconWriter)
        return iconWriter(iconFile, bmpFile, onWhite);
    return "no icon";
}

std::vector<std::string> FakeServices::PictureFormats(bool) {
    return formats;
}

std::string
FakeServices::RunInBackground(const std::function<std::string(BackgroundControl&)>& work) {
    ++backgroundRuns;
    BackgroundControl control;
    if (beforeWork)
        beforeWork(control);
    return work(control);
}

void FakeServices::ProcessPendingMessages() {
    ++pendingMessageRuns;
    if (meanwhile)
        meanwhile();
}

} // namespace slanter
