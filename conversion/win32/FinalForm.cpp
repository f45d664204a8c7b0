#include "conversion/win32/FinalForm.h"

#include <algorithm>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PngFile.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultFileChoice.h"
#include "conversion/ResultPlacement.h"
#include "conversion/ResultSave.h"
#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultShape.h"
#include "conversion/ResultTexts.h"
#include "conversion/ResultViews.h"
#include "conversion/ResultZoom.h"
#include "engine/Slanter.h"
#include "forms/FormTable.h"
#include "shell/ConversionGuard.h"
#include "shell/EnglishCaptions.h"
#include "shell/FileCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/MainTexts.h"
#include "shell/ProgramIdentity.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/TemporaryPictures.h"
#include "shell/win32/Clipboard.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

// The English caption of this form's item `item`.
std::string English(std::string_view item) {
    return EnglishCaption(CaptionForm::Final, item);
}

constexpr DesignedForm kForm = designed::kFinalForm;
// The progress bar's size while the conversion runs.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 16;
constexpr int kLabelHeight = 16;
constexpr int kButtonPanelHeight = 32;

// Every result window that exists, to find the result files still shown.
std::vector<const TFinalForm*>& LiveForms() {
    static std::vector<const TFinalForm*> forms;
    return forms;
}

} // namespace

TFinalForm::TFinalForm(ProgramState& state, HWND owner) : state_(state) {
    LiveForms().push_back(this);
    menu_ = std::make_unique<DesignedMenu>(kForm, "MainMenu1", *this);
    const DesignedItem& form = Designed(kForm, "FinalForm");
    WindowArgs args;
    args.title = std::string(form.text);
    args.owner = owner;
    args.menu = menu_->Bar();
    args.left = 0;
    args.top = 0;
    args.clientWidth = Scaled(form.width);
    args.clientHeight = Scaled(form.height);
    Create(args);
    clientArea_.Create(Hwnd(), [this](HDC dc, const RECT& dirty) { PaintView(dc, dirty); });
    ShowWindow(clientArea_.Hwnd(), SW_HIDE);
    const HFONT font = ControlFont();
    ProgressBar1.Create({Hwnd(), "", 0, 0, Px(kBarWidth), Px(kBarHeight), 0, font});
    Label1.Create({Hwnd(), Designed(kForm, "Label1").text, 0, 0, 0, 0, 0, font});
    Label2.Create({Hwnd(), "", 0, 0, 0, 0, 0, font});
    const DesignedItem& cancel = Designed(kForm, "Button1");
    Button1.Create(
        {Hwnd(), cancel.text, 0, 0, Scaled(cancel.width), Scaled(cancel.height), 0, font},
        [this] { CancelRequested = true; });
    menu_->SetMenuEnabled("KFile", false);
    menu_->SetMenuEnabled("KView", false);

    const auto route = [this](const char* name, std::function<void()> command) {
        menu_->SetHandler(name, [command = std::move(command)] { RunGuarded(command); });
    };
    route("KFileSaveAs", [this] { KFileSaveAsClick(); });
    route("KFileClipboard", [this] { KFileClipboardClick(); });
    route("KView1", [this] { KViewClick(1); });
    route("KView4", [this] { KViewClick(4); });
    route("KView9", [this] { KViewClick(9); });
    route("KViewFit", [this] { KViewZoomClick(kZoomToFit); });
    route("KView25", [this] { KViewZoomClick(25); });
    route("KView50", [this] { KViewZoomClick(50); });
    route("KView100", [this] { KViewZoomClick(100); });
    route("KView200", [this] { KViewZoomClick(200); });
    route("KViewZoomIn", [this] { KViewZoomStep(1); });
    route("KViewZoomOut", [this] { KViewZoomStep(-1); });
    route("KViewInformation", [this] { KViewInformationClick(); });
    FormCreate();
}

TFinalForm::~TFinalForm() {
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TFinalForm::FormCreate() {
    const ScreenRect area = WorkAreaAt({0, 0});
    const TPoint place = ResultWindowPlace({area.width, area.height}, ClockSeededRandom());
    SetWindowPos(Hwnd(), nullptr, area.left + place.X, area.top + place.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The formula lets the designed window reach past the right edge.
    KeepOnWorkArea(Hwnd());
    if (!Japanese)
        SetEnglishCaptions();
}

void TFinalForm::SetEnglishCaptions() {
    SetText(English("FinalForm"));
    menu_->SetText("KFile", English("KFile"));
    menu_->SetText("KFileSaveAs", English("KFileSaveAs"));
    menu_->SetText("KFileClipboard", English("KFileClipboard"));
    menu_->SetText("KView", English("KView"));
    menu_->SetText("KView1", English("KView1"));
    menu_->SetText("KView4", English("KView4"));
    menu_->SetText("KView9", English("KView9"));
    menu_->SetText("KViewFit", English("KViewFit"));
    menu_->SetText("KView25", English("KView25"));
    menu_->SetText("KView50", English("KView50"));
    menu_->SetText("KView100", English("KView100"));
    menu_->SetText("KView200", English("KView200"));
    menu_->SetText("KViewZoomIn", English("KViewZoomIn"));
    menu_->SetText("KViewZoomOut", English("KViewZoomOut"));
    menu_->SetText("KViewInformation", English("KViewInformation"));
    Button1.SetText(English("Button1"));
}

void TFinalForm::OnSize(int width, int height) {
    if (width < Px(kLeastResultClientWidth) && !IsIconic(Hwnd())) {
        SetClientSize(Px(kLeastResultClientWidth), height);
        return;
    }
    LayOutPanels();
    if (clientArea_.Hwnd() != nullptr)
        MoveWindow(clientArea_.Hwnd(), 0, 0, width, height, TRUE);
    // A fitted view follows the window as the user sizes it.
    if (zoom_ == kZoomToFit && !layingOut_)
        LayOutView(false);
}

int TFinalForm::Px(int designed) const {
    return Scaled(designed, WindowDpi(Hwnd()));
}

void TFinalForm::LayOutPanels() {
    if (Button1.Hwnd() == nullptr)
        return;
    const SIZE client = ClientSize();
    ProgressBar1.SetBounds(0, 0, client.cx, Px(kBarHeight));
    Label1.SetBounds(0, Px(kBarHeight), client.cx, Px(kLabelHeight));
    Label2.SetBounds(0, Px(kBarHeight + kLabelHeight), client.cx, Px(kLabelHeight));
    const RECT button = Button1.Bounds();
    const int buttonWidth = button.right - button.left;
    const int panelTop = std::max(0, static_cast<int>(client.cy) - Px(kButtonPanelHeight));
    Button1.SetBounds((client.cx - buttonWidth) / 2, panelTop + Px(Designed(kForm, "Button1").y),
                      buttonWidth, button.bottom - button.top);
}

bool TFinalForm::OnKeyDown(WPARAM key) {
    // Esc presses Cancel while it is there to press.
    if (key == VK_ESCAPE && running_) {
        Button1.Click();
        return true;
    }
    if (clientArea_.TakeScrollKey(key, GetKeyState(VK_CONTROL) < 0))
        return true;
    if (GetKeyState(VK_CONTROL) >= 0)
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // The system's zoom keys, the usual one for the actual size, and Save As, Copy, Close;
    // a key reaches a command only while its menu is offered.
    const auto run = [this](const char* menu, const char* name) {
        if (menu_->IsMenuEnabled(menu))
            RunCommand(menu_->Id(name));
        return true;
    };
    switch (key) {
    case VK_OEM_PLUS:
    case VK_ADD:
        return run("KView", "KViewZoomIn");
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
        return run("KView", "KViewZoomOut");
    case '0':
    case VK_NUMPAD0:
        return run("KView", "KView100");
    case 'S':
        return shift ? run("KFile", "KFileSaveAs") : false;
    case 'C':
        return run("KFile", "KFileClipboard");
    case 'W':
    case VK_F4:
        Close();
        return true;
    default:
        return false;
    }
}

void TFinalForm::OnClose() {
    Hide();
    // A closed window is never shown again. During a run the run still needs the window
    // and writes its file; what it would show is then never made.
    closed_ = true;
    if (!converting_) {
        picture_ = ScreenPicture();
        clientArea_.SetCanvasSize(0, 0);
    }
}

void TFinalForm::Convert() {
    if (started_)
        return;
    started_ = true;
    SetText(NumberedCaption(Text(), ResultNumber));
    ResultBitmap = std::make_unique<THandyBitmap>();
    CancelRequested = false;
    const bool shown = RunConversion();
    ResultBitmap.reset();
    if (!shown)
        Close();
}

bool TFinalForm::RunConversion() {
    // The main window has closed: nothing is left to convert.
    if (!state_.TemporaryFiles)
        return false;
    // Held to the end: the picture, the engine and the folder must outlast the run.
    const ConversionGuard::Running running(state_.Conversions);
    const TSlanter& engine = state_.PatternEngine;
    const THandyBitmap& source = state_.SourceBitmap;
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    const int depth = ResultDepth(source, Smoothing);
    if (!ResultFitsInFile(tile, depth)) {
        Message(TileTooLargeText(Japanese, tile.X, tile.Y, depth));
        return false;
    }
    resultFile_ = ChooseResultFile();
    if (resultFile_.empty()) {
        Message(NoResultFileText(Japanese));
        return false;
    }
    converting_ = true;
    ShowProgressPanel();

    RunHooks hooks;
    hooks.keepGoing = [this] {
        ProcessPendingMessages();
        return !CancelRequested && !state_.Conversions.StopRequested();
    };
    hooks.showProgress = [this](const ColumnProgress& progress) {
        ProgressBar1.SetPosition(progress.percent);
        Label1.SetText(std::to_string(ProgressBar1.Position()) + "%");
        Label2.SetText(EstimateText(progress.estimateSeconds, Japanese));
    };
    hooks.clock = clock_;
    const RunOutcome outcome = ComputeResult(engine, source, Smoothing, *ResultBitmap, hooks);
    if (outcome == RunOutcome::OutOfMemory)
        Message(ResultOutOfMemoryText(Japanese, tile.X, tile.Y));
    const bool shown = outcome == RunOutcome::Finished && ShowResult();
    converting_ = false;
    return shown;
}

void TFinalForm::ShowProgressPanel() {
    running_ = true;
    Show(SW_SHOWNORMAL);
    SetClientSize(Px(std::max(kBarWidth, kLeastResultClientWidth)),
                  Px(kBarHeight + 2 * kLabelHeight + kButtonPanelHeight));
    KeepOnWorkArea(Hwnd());
    LayOutPanels();
    // Drawn before the work starts, which lets messages run only between columns.
    RedrawWindow(Hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TFinalForm::ShowResult() {
    state_.TemporaryFiles->Writing(resultFile_);
    if (!ResultBitmap->SaveToFile(resultFile_)) {
        Message(ResultNotWrittenText(Japanese, resultFile_, ResultBitmap->ErrorText()));
        return false;
    }
    const TSlanter& engine = state_.PatternEngine;
    InfoText = ResultInfoText(Japanese, engine.Horizontal(), engine.RightUp(), Smoothing,
                              ResultBitmap->biWidth(), ResultBitmap->biHeight(),
                              ResultBitmap->biBitCount());
    // The file holds the result now: freed before it is read back, so that the largest
    // results never need room for two records at once.
    ResultBitmap.reset();
    running_ = false;
    if (closed_)
        return true;
    THandyBitmap loaded;
    if (!loaded.LoadFromFile(resultFile_)) {
        Message(ResultNotReadText(Japanese, resultFile_, loaded.ErrorText()));
        return false;
    }
    picture_ = ScreenPicture(loaded);
    menu_->SetMenuEnabled("KFile", true);
    menu_->SetMenuEnabled("KView", true);
    for (Control* control :
         std::initializer_list<Control*>{&ProgressBar1, &Label1, &Label2, &Button1})
        control->SetVisible(false);
    ShowWindow(clientArea_.Hwnd(), SW_SHOW);
    KViewClick(1);
    return true;
}

std::string TFinalForm::ChooseResultFile() const {
    const TemporaryPictures* folder = state_.TemporaryFiles.get();
    if (folder == nullptr || folder->Folder().empty())
        return {};
    const std::string name =
        ChooseResultFileName(ResultNumber, [this, folder](const std::string& name) {
            return NeededElsewhere(folder->FileName(name));
        });
    return name.empty() ? name : folder->FileName(name);
}

bool TFinalForm::NeededElsewhere(const std::string& fileName) const {
    if (fileName == state_.WorkingFile)
        return true;
    // A closed window shows its result no more, so its file may go.
    return std::any_of(LiveForms().begin(), LiveForms().end(), [&](const TFinalForm* form) {
        return form != this && form->resultFile_ == fileName &&
               (form->IsVisible() || form->converting_);
    });
}

void TFinalForm::KViewClick(int view) {
    if (picture_.IsEmpty())
        return;
    view_ = view == 9 ? 9 : view == 4 ? 4 : 1;
    LayOutView(true);
    menu_->SetChecked("KView1", view_ == 1);
    menu_->SetChecked("KView4", view_ == 4);
    menu_->SetChecked("KView9", view_ == 9);
    CheckZoom();
}

void TFinalForm::KViewZoomClick(int zoom) {
    if (picture_.IsEmpty())
        return;
    zoom_ = zoom;
    LayOutView(true);
    CheckZoom();
}

void TFinalForm::KViewZoomStep(int step) {
    if (picture_.IsEmpty())
        return;
    const TPoint grid = ViewClientSize(view_, {picture_.Width(), picture_.Height()});
    const int fitted = grid.X > 0 ? static_cast<int>(std::int64_t{shown_.X} * 100 / grid.X) : 100;
    const int next = NextZoom(zoom_, step, fitted);
    if (next != zoom_)
        KViewZoomClick(next);
}

void TFinalForm::CheckZoom() {
    menu_->SetChecked("KViewFit", zoom_ == kZoomToFit);
    menu_->SetChecked("KView25", zoom_ == 25);
    menu_->SetChecked("KView50", zoom_ == 50);
    menu_->SetChecked("KView100", zoom_ == 100);
    menu_->SetChecked("KView200", zoom_ == 200);
}

void TFinalForm::LayOutView(bool sizeWindow) {
    if (picture_.IsEmpty())
        return;
    layingOut_ = true;
    if (sizeWindow && (IsZoomed(Hwnd()) || IsIconic(Hwnd())))
        ShowWindow(Hwnd(), SW_RESTORE);
    const TPoint size{picture_.Width(), picture_.Height()};
    TPoint room;
    if (sizeWindow) {
        // The largest client area the window can have on its work area.
        const ScreenRect area = WorkAreaOf(Hwnd());
        RECT frame{};
        GetWindowRect(Hwnd(), &frame);
        const SIZE client = ClientSize();
        room = {area.width - (frame.right - frame.left - client.cx),
                area.height - (frame.bottom - frame.top - client.cy)};
    } else {
        const SIZE client = ClientSize();
        room = {client.cx, client.cy};
    }
    shown_ = ZoomedViewSize(view_, size, zoom_, room);
    if (sizeWindow) {
        // No scroll bar may take room while the window is fitted.
        clientArea_.SetCanvasSize(0, 0);
        SetClientSize(std::max(shown_.X, Px(kLeastResultClientWidth)), shown_.Y);
        KeepOnWorkArea(Hwnd());
        clientArea_.ScrollTo(0, 0);
    }
    clientArea_.SetCanvasSize(shown_.X, shown_.Y);
    layingOut_ = false;
}

void TFinalForm::PaintView(HDC dc, const RECT& dirty) const {
    if (picture_.IsEmpty())
        return;
    // Only what is exposed, straight from the one picture: one result pixel to one device
    // pixel at 100 %.
    const ScreenPicture part = picture_.ZoomedPart(view_, shown_, dirty);
    part.Draw(dc, {dirty.left, dirty.top}, {0, 0, part.Width(), part.Height()});
}

void TFinalForm::KFileSaveAsClick() {
    FileDialogSettings settings;
    settings.folder = ReadSetting("Folder", "SavePath", "").Text();
    settings.filter = ResultSaveFilter(Japanese);
    settings.defaultExtension = "bmp";
    const auto chosen = RunSaveDialog(Hwnd(), settings);
    if (chosen)
        SaveResultAs(*chosen);
}

void TFinalForm::SaveResultAs(const std::string& fileName) {
    if (const std::string refusal = ResultSaveRefusal(Japanese, resultFile_, fileName);
        !refusal.empty()) {
        Message(refusal);
        return;
    }
    // Never straight onto the named file: a failed save leaves the one there as it was.
    if (const std::string reason = SaveResultFile(resultFile_, fileName); !reason.empty()) {
        Message(ResultNotSavedText(Japanese, fileName, reason));
        return;
    }
    // Only a folder a result really went to is offered by the next save.
    WriteSetting("Folder", "SavePath", FolderPart(fileName));
}

void TFinalForm::KFileClipboardClick() {
    // The result file's own bitmap, its colour table with it.
    const PackedDib dib = DibOfBmpFile(resultFile_);
    if (!dib.empty())
        PutClipboardDib(dib);
}

void TFinalForm::KViewInformationClick() {
    AppMessageBox(InfoText, kInformationBox, BitmapInformationCaption(Japanese));
}

void TFinalForm::Message(const std::string& text) {
    AppMessageBox(text, kWarningBox);
}

} // namespace slanter
