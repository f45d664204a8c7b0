#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <new>

#include <gtest/gtest.h>

#include "conversion/ResultWindow.h"
#include "method/MethodPresenter.h"
#include "preview/PreviewWindow.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "support/FakeServices.h"
#include "support/MemorySettings.h"

namespace slanter {
namespace {

using testing::StoredSettings;

// A result window that notes how it was asked to convert.
struct FakeResult : ResultWindow {
    void Convert(std::int32_t number_, bool smoothing_) override {
        number = number_;
        smoothing = smoothing_;
        if (onConvert)
            onConvert();
    }
    std::int32_t number = 0;
    bool smoothing = false;
    std::function<void()> onConvert;
};

// The window's controls as plain values; the designed form's Convert button and panel.
struct FakeMethodView : MethodView {
    void ShowChoices(const MethodChoices& shown) override { choices = shown; }
    void SetCaption(std::string_view item, const std::string& text) override {
        captions[std::string(item)] = text;
    }
    int ColumnWidth(int column) const override { return widths[column]; }
    void SetColumnWidth(int column, int width) override { widths[column] = width; }
    int ListTextWidth(const std::string& text) const override {
        return static_cast<int>(text.size()) * characterWidth;
    }
    void ShowRows(const std::vector<std::string>& items) override {
        rows = items;
        selected = -1;
    }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void EnableCommands(bool enabled) override { commandsEnabled = enabled; }
    void EnableInput(bool enabled) override { inputEnabled = enabled; }
    bool IsActive() const override { return active; }
    void Activate() override { active = true; }
    Extent ClientArea() const override { return client; }
    BoxBounds ConvertButtonBounds() const override { return {81, 90, 77, 23}; }
    BoxBounds PanelBounds() const override { return {160, 0, 199, 113}; }
    void SetClientArea(Extent area) override {
        client = area;
        if (onResize)
            onResize();
    }
    void LayOutPanel(Extent area, int lastColumn) override {
        panel = area;
        lastColumnWidth = lastColumn;
        ++layouts;
    }
    ResultWindow& OpenResultWindow() override {
        results.emplace_back();
        results.back().onConvert = [this] {
            enabledWhileConverting.push_back(inputEnabled);
            if (failConversions)
                throw std::bad_alloc();
        };
        return results.back();
    }
    void ShowInFront() override { visible = true; }
    void HideWindow() override { visible = false; }
    void SavePlacement() override { ++placementsSaved; }

    MethodChoices choices{false, false, true, false};
    std::map<std::string, std::string> captions;
    int widths[kListColumnCount]{};
    std::vector<std::string> rows;
    int selected = -1;
    int characterWidth = 6;
    bool commandsEnabled = true;
    bool inputEnabled = true;
    bool active = true;
    Extent client{208, 117};
    Extent panel;
    int lastColumnWidth = 0;
    int layouts = 0;
    std::function<void()> onResize;
    std::deque<FakeResult> results;
    std::vector<bool> enabledWhileConverting;
    bool failConversions = false;
    bool visible = false;
    int placementsSaved = 0;
};

// A preview window that notes what it was asked to draw, and when.
struct FakePreview : PreviewWindow {
    struct Drawn {
        std::int32_t pattern;
        bool smoothing;
        bool methodTookInput;
    };
    FakePreview(const TSlanter& engine, FakeMethodView& method)
        : engine_(engine), method_(method) {}
    // A platform activates the window it shows.
    void DrawPreview(bool smoothing) override {
        visible = true;
        method_.active = false;
        drawn.push_back({engine_.PatternIndex(), smoothing, method_.inputEnabled});
    }
    bool IsVisible() const override { return visible; }
    void Hide() override { visible = false; }
    void Close() override {
        settingsStoredAtClose = !StoredSettings().empty();
        visible = false;
    }

    bool visible = false;
    std::vector<Drawn> drawn;
    bool settingsStoredAtClose = false;

  private:
    const TSlanter& engine_;
    FakeMethodView& method_;
};

class MethodPresenterTest : public ::testing::Test {
  protected:
    MethodPresenterTest() {
        StoredSettings().clear();
        SettingsWritable = true;
        presenter.SetPreviewWindow(&preview);
    }
    ~MethodPresenterTest() override {
        Japanese = japanese_;
        SettingsWritable = writable_;
    }

    // The presenter started on a 64 x 48 picture's list, as the main window leaves it.
    void StartWithPicture() {
        presenter.Start();
        state.PatternEngine.SetSourceSize({64, 48});
        presenter.RefreshList();
    }
    void Select(int row) {
        view.selected = row;
        presenter.SelectionChanged();
    }
    // The items a fresh engine lists for a 64 x 48 picture with these options.
    static std::vector<std::string> ItemsOf(bool horizontal, bool sortOnAngle) {
        TSlanter engine;
        engine.SetHorizontal(horizontal);
        engine.SetSortOnAngle(sortOnAngle);
        engine.SetSourceSize({64, 48});
        std::vector<std::string> items;
        char text[16];
        for (int index = 0; index < engine.PatternCount(); ++index) {
            std::snprintf(text, sizeof text, "%5.2f", engine.AngleDegrees(index));
            items.push_back(text);
        }
        return items;
    }

    const bool japanese_ = Japanese;
    const bool writable_ = SettingsWritable;
    ProgramState state;
    FakeServices services;
    FakeMethodView view;
    FakePreview preview{state.PatternEngine, view};
    MethodPresenter presenter{state, services, view};
};

TEST_F(MethodPresenterTest, FirstStartChoosesRowsRisingRightUnsmoothedByAngle) {
    presenter.Start();
    EXPECT_TRUE(view.choices.horizontal);
    EXPECT_TRUE(view.choices.rightUp);
    EXPECT_FALSE(view.choices.smoothing);
    EXPECT_TRUE(view.choices.sortOnAngle);
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(view.widths[column], 50) << column;
    EXPECT_FALSE(view.commandsEnabled);
    EXPECT_TRUE(state.PatternEngine.Horizontal());
    EXPECT_TRUE(state.PatternEngine.RightUp());
    EXPECT_TRUE(state.PatternEngine.SortOnAngle());
    EXPECT_EQ(presenter.ResultCount(), 0);
}

TEST_F(MethodPresenterTest, AStoredTextOtherThanThePairsFirstChecksItsSecond) {
    StoredSettings()["MethodForm/Row"] = "Vertical";
    StoredSettings()["MethodForm/Sort"] = "angle";
    StoredSettings()["MethodForm/Smoothing"] = "OFF";
    StoredSettings()["MethodForm/Rotation"] = "Clockwise";
    StartWithPicture();
    EXPECT_FALSE(view.choices.horizontal);
    EXPECT_FALSE(view.choices.sortOnAngle);
    EXPECT_FALSE(view.choices.smoothing);
    EXPECT_FALSE(view.choices.rightUp);
    EXPECT_FALSE(state.PatternEngine.RightUp());
    // The first picture gets the table of columns in the order on the area.
    EXPECT_EQ(view.rows, ItemsOf(false, false));
    EXPECT_NE(view.rows, ItemsOf(true, false));
}

TEST_F(MethodPresenterTest, OptionsAndFourColumnWidthsAreStoredInTheStoresSpellings) {
    presenter.Start();
    presenter.SetArrangement(false);
    presenter.SetTilt(false);
    presenter.SetSmoothing(true);
    presenter.SetOrder(false);
    const int widths[] = {40, 61, 72, 83, 7};
    std::copy(std::begin(widths), std::end(widths), view.widths);
    view.visible = true;
    presenter.Close();
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.placementsSaved, 1);
    EXPECT_EQ(StoredSettings()["MethodForm/Row"], "Vertical");
    EXPECT_EQ(StoredSettings()["MethodForm/Rotation"], "Clockwize");
    EXPECT_EQ(StoredSettings()["MethodForm/Smoothing"], "ON");
    EXPECT_EQ(StoredSettings()["MethodForm/Sort"], "Area");
    EXPECT_EQ(StoredSettings()["MethodForm/Width(0)"], "40");
    EXPECT_EQ(StoredSettings()["MethodForm/Width(3)"], "83");
    EXPECT_EQ(StoredSettings().count("MethodForm/Width(4)"), 0u);

    ProgramState next;
    FakeMethodView restarted;
    MethodPresenter again(next, services, restarted);
    again.Start();
    EXPECT_FALSE(restarted.choices.horizontal || restarted.choices.rightUp ||
                 restarted.choices.sortOnAngle);
    EXPECT_TRUE(restarted.choices.smoothing);
    EXPECT_FALSE(next.PatternEngine.Horizontal() || next.PatternEngine.RightUp() ||
                 next.PatternEngine.SortOnAngle());
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(restarted.widths[column], widths[column]) << column;
}

// In a font of 8-pixel digits the angle's six and the slide's seven need 52 and 60 pixels
// with the gap; the other columns keep the least width.
TEST_F(MethodPresenterTest, AColumnNeverStoredIsWideEnoughForItsWidestText) {
    view.characterWidth = 8;
    presenter.Start();
    const int expected[] = {52, 50, 60, 50};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(view.widths[column], expected[column]) << column;
}

TEST_F(MethodPresenterTest, MalformedStoredWidthsGiveTheDefaultOrTheNearestWidth) {
    StoredSettings()["MethodForm/Width(0)"] = "wide";
    StoredSettings()["MethodForm/Width(1)"] = "-5";
    StoredSettings()["MethodForm/Width(2)"] = "0x7FFFFFFF";
    presenter.Start();
    EXPECT_EQ(view.widths[0], 50);
    EXPECT_EQ(view.widths[1], 0);
    EXPECT_EQ(view.widths[2], 10000);
}

TEST_F(MethodPresenterTest, ThePreviewWindowClosesBeforeTheSettingsAreStored) {
    presenter.Start();
    preview.visible = true;
    presenter.Closing();
    EXPECT_FALSE(preview.visible);
    EXPECT_FALSE(preview.settingsStoredAtClose);
    EXPECT_FALSE(StoredSettings().empty());
}

TEST_F(MethodPresenterTest, AHiddenWindowTooSmallIsGrownAndLaidOutAtStart) {
    view.client = {120, 60};
    presenter.Start();
    EXPECT_EQ(view.client, (Extent{208, 117}));
    EXPECT_EQ(view.panel, (Extent{44, 113}));
    EXPECT_EQ(view.lastColumnWidth, 44);
}

// A platform that reports a size the moment it is set, as a shown window does.
TEST_F(MethodPresenterTest, ASizeReportedWhileTheRulesRunIsLaidOutOnce) {
    presenter.Start();
    view.layouts = 0;
    view.onResize = [this] { EXPECT_FALSE(presenter.Resized()); };
    view.client = {100, 50};
    EXPECT_TRUE(presenter.Resized());
    EXPECT_EQ(view.client, (Extent{208, 117}));
    EXPECT_EQ(view.layouts, 1);
    view.client = {600, 300};
    EXPECT_FALSE(presenter.Resized());
    EXPECT_EQ(view.panel, (Extent{436, 296}));
    EXPECT_EQ(view.lastColumnWidth, 436);
}

TEST_F(MethodPresenterTest, ANewTiltKeepsTheListTheSelectionAndThePreview) {
    StartWithPicture();
    Select(3);
    presenter.Preview();
    const std::vector<std::string> rows = view.rows;
    presenter.SetTilt(false);
    EXPECT_FALSE(state.PatternEngine.RightUp());
    EXPECT_EQ(view.rows, rows);
    EXPECT_EQ(view.selected, 3);
    EXPECT_TRUE(view.commandsEnabled);
    EXPECT_TRUE(preview.visible);
    EXPECT_EQ(preview.drawn.size(), 1u); // drawn again only when asked
    presenter.SetTilt(true);
    EXPECT_TRUE(state.PatternEngine.RightUp());
}

TEST_F(MethodPresenterTest, AnOpenPreviewFollowsTheSelectedRow) {
    StartWithPicture();
    Select(3);
    EXPECT_TRUE(preview.drawn.empty()); // a click alone opens no preview
    presenter.Preview();
    Select(5);
    ASSERT_EQ(preview.drawn.size(), 2u);
    EXPECT_EQ(preview.drawn[0].pattern, 3);
    EXPECT_EQ(preview.drawn[1].pattern, 5);
    EXPECT_EQ(state.PatternEngine.PatternIndex(), 5);
}

TEST_F(MethodPresenterTest, ANewArrangementOrOrderRefillsTheListAndHidesThePreview) {
    StartWithPicture();
    Select(3);
    presenter.Preview();
    presenter.SetArrangement(false);
    EXPECT_FALSE(state.PatternEngine.Horizontal());
    EXPECT_EQ(view.rows, ItemsOf(false, true));
    EXPECT_EQ(view.selected, -1);
    EXPECT_FALSE(view.commandsEnabled);
    EXPECT_FALSE(preview.visible);

    Select(5);
    presenter.Preview();
    presenter.SetOrder(false);
    EXPECT_FALSE(state.PatternEngine.SortOnAngle());
    EXPECT_EQ(view.rows, ItemsOf(false, false));
    EXPECT_EQ(view.selected, -1);
    EXPECT_FALSE(preview.visible);
}

// A platform hears its own ShowChoices as clicks: a button checked again changes nothing.
TEST_F(MethodPresenterTest, TheArrangementCheckedAgainKeepsTheSelection) {
    StartWithPicture();
    Select(2);
    presenter.SetArrangement(true);
    presenter.SetOrder(true);
    EXPECT_EQ(view.selected, 2);
    EXPECT_TRUE(view.commandsEnabled);
}

TEST_F(MethodPresenterTest, CommandsAreOfferedOnlyWhileAPatternOfTheListIsSelected) {
    StartWithPicture();
    EXPECT_FALSE(view.commandsEnabled);
    Select(1);
    EXPECT_TRUE(view.commandsEnabled);
    Select(-1);
    EXPECT_FALSE(view.commandsEnabled);
    Select(1);
    presenter.Preview();
    // What the main window does with a picture that the bitmap store refused: the list
    // empties and nothing is left to convert, though the preview stays.
    state.PatternEngine = TSlanter();
    presenter.RefreshList();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(view.commandsEnabled);
    EXPECT_TRUE(preview.visible);
}

TEST_F(MethodPresenterTest, TheFirstArrowKeyInAFreshListSelectsItsEndAndLaterOnesAreTheLists) {
    StartWithPicture();
    ASSERT_TRUE(presenter.ArrowKeyInList(true));
    EXPECT_EQ(view.selected, 0);
    EXPECT_FALSE(presenter.ArrowKeyInList(true));
    presenter.RefreshList();
    ASSERT_TRUE(presenter.ArrowKeyInList(false));
    EXPECT_EQ(view.selected, static_cast<int>(view.rows.size()) - 1);
}

TEST_F(MethodPresenterTest, EnterPreviewsOnlyAnOfferedPatternWithTheWindowDisabledMeanwhile) {
    StartWithPicture();
    EXPECT_FALSE(presenter.Enter());
    EXPECT_TRUE(preview.drawn.empty());
    Select(7);
    EXPECT_TRUE(presenter.Enter());
    ASSERT_EQ(preview.drawn.size(), 1u);
    EXPECT_EQ(preview.drawn[0].pattern, 7);
    EXPECT_FALSE(preview.drawn[0].methodTookInput);
    EXPECT_TRUE(view.inputEnabled);
    // The keys stay with the list, where the user goes on.
    EXPECT_TRUE(view.active);
}

TEST_F(MethodPresenterTest, ThePreviewIsSmoothedWhenTheOptionSays) {
    StartWithPicture();
    Select(2);
    presenter.Preview();
    presenter.SetSmoothing(true);
    presenter.Preview();
    ASSERT_EQ(preview.drawn.size(), 2u);
    EXPECT_FALSE(preview.drawn[0].smoothing);
    EXPECT_TRUE(preview.drawn[1].smoothing);
}

TEST_F(MethodPresenterTest, TwoConversionsOpenTwoWindowsNumbered1And2) {
    StartWithPicture();
    presenter.SetSmoothing(true);
    Select(0);
    presenter.Convert();
    Select(1);
    presenter.Convert();
    EXPECT_EQ(presenter.ResultCount(), 2);
    ASSERT_EQ(view.results.size(), 2u);
    EXPECT_EQ(view.results[0].number, 1);
    EXPECT_EQ(view.results[1].number, 2);
    EXPECT_TRUE(view.results[1].smoothing);
    EXPECT_EQ(state.PatternEngine.PatternIndex(), 1);
    // Disabled while each ran, and taking input again afterwards.
    EXPECT_EQ(view.enabledWhileConverting, (std::vector<bool>{false, false}));
    EXPECT_TRUE(view.inputEnabled);
}

TEST_F(MethodPresenterTest, AConversionThatFailsEndsInTheErrorBoxAndGivesTheWindowBack) {
    StartWithPicture();
    Select(0);
    view.failConversions = true;
    presenter.Convert();
    EXPECT_EQ(services.generalErrors.size(), 1u);
    EXPECT_TRUE(view.inputEnabled);
}

TEST_F(MethodPresenterTest, EachSecondButtonCheckedReachesItsMeaningAndIsShownChecked) {
    presenter.Start();
    for (int button : {2, 4, 6, 8})
        presenter.CheckOption(button);
    EXPECT_FALSE(state.PatternEngine.Horizontal());
    EXPECT_FALSE(state.PatternEngine.RightUp());
    EXPECT_TRUE(presenter.Choices().smoothing);
    EXPECT_FALSE(state.PatternEngine.SortOnAngle());
    for (int button = 1; button <= kOptionButtonCount; ++button)
        EXPECT_EQ(OptionChecked(presenter.Choices(), button), button % 2 == 0) << button;
}

TEST_F(MethodPresenterTest, AnEnglishRunCaptionsEveryItemAJapaneseRunNone) {
    Japanese = true;
    presenter.Start();
    EXPECT_TRUE(view.captions.empty());
    Japanese = false;
    presenter.Start();
    EXPECT_EQ(view.captions.size(), 20u);
    EXPECT_EQ(view.captions["MethodForm"], "Method");
    EXPECT_EQ(view.captions["RadioButton4"], "Clockwise");
    EXPECT_EQ(view.captions["HeaderControl1.4"], "Height");
}

TEST_F(MethodPresenterTest, TheRowOf24Point30DegreesAndNoneBeyondTheTable) {
    presenter.Start();
    presenter.SetOrder(false);
    state.PatternEngine.SetSourceSize({64, 48});
    // Every character six pixels wide.
    const TextWidth width = [](const std::string& text) { return 6 * int(text.size()); };
    const auto row = presenter.RowToPaint(0, {50, 30, 20, 44, 60}, width);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->texts, (RowTexts{"24.30", "  2", "33.86%", " 116", "  52"}));
    // Each text ends where its column's eights end: 36, 24, 42, 30 and 30 pixels in.
    EXPECT_EQ(row->cells[2].left, 80);
    EXPECT_EQ(row->cells[2].textLeft, 42 - 36);
    EXPECT_FALSE(presenter.RowToPaint(state.PatternEngine.PatternCount(), {}, width));
}

} // namespace
} // namespace slanter
