#pragma once

#include <map>
#include <string>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "conversion/ResultPresenter.h"
#include "conversion/ResultView.h"
#include "support/FakeServices.h"

namespace slanter::testing {

// A result window's front end as the presenter sees it: what it was told, in short.
class FakeResultView : public ResultView {
  public:
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    void ShowProgressPanel() override { progressPanel = true; }
    void ShowProgress(int percent, const std::string& done, const std::string& estimate) override {
        bar = percent;
        progress.push_back(done + " " + estimate);
    }
    std::string ReadPicture(const std::string& file) override {
        if (!readError.empty())
            return readError;
        THandyBitmap picture;
        if (!picture.LoadFromFile(file))
            return picture.ErrorText();
        size = {picture.biWidth(), picture.biHeight()};
        return {};
    }
    TPoint PictureSize() const override { return size; }
    void ShowResultArea() override { resultArea = true; }
    void ReleasePicture() override {
        size = {};
        released = true;
    }
    TPoint Room(bool) override { return room; }
    void LayOut(int view, TPoint shownSize, bool sizeWindow) override {
        laidOut = view;
        shown = shownSize;
        windowSized = sizeWindow;
    }
    void SetChecked(std::string_view item, bool checked) override {
        if (checked)
            ticked[std::string(item)] = true;
        else
            ticked.erase(std::string(item));
    }
    void EnableSaveAs(bool enabled) override { saveAsOffered = enabled; }
    void CloseWindow() override {
        closed = true;
        if (presenter != nullptr)
            presenter->Closed();
    }

    // The items ticked, in the menu's order.
    std::vector<std::string> Ticked() const {
        std::vector<std::string> items;
        for (const auto& command : ResultCommands())
            if (ticked.count(command.item))
                items.push_back(command.item);
        return items;
    }

    ResultPresenter* presenter = nullptr;
    std::string caption = "Converted";
    bool progressPanel = false;
    int bar = -1;
    std::vector<std::string> progress;
    std::string readError;
    TPoint size;
    bool resultArea = false;
    bool released = false;
    TPoint room{4000, 3000};
    int laidOut = 0;
    TPoint shown;
    bool windowSized = false;
    std::map<std::string, bool> ticked;
    bool saveAsOffered = true;
    bool closed = false;
};

// A window of its own with its fakes, as the method window makes one.
struct ResultWindowFakes {
    explicit ResultWindowFakes(ProgramState& state) : presenter(state, services, view) {
        view.presenter = &presenter;
    }
    FakeServices services;
    FakeResultView view;
    ResultPresenter presenter;
};

} // namespace slanter::testing
