#include "shell/EnglishCaptions.h"

#include <algorithm>
#include <iterator>

namespace slanter {

namespace {

constexpr EnglishItem kMainForm[] = {
    {"KFile", "&File"},
    {"KFileOpen", "&Open Image File ..."},
    {"KFileClipboard", "Copy from &Clipboard"},
    {"KFileExit", "E&xit"},
    {"KPicture", "&Picture"},
    {"KPictureSize", "&Size ..."},
    {"KView", "&View"},
    {"KViewMethod", "Show &Method Window"},
    {"KViewInformation", "Bitmap &Information ..."},
    {"KHelp", "&Help"},
    {"KHelpHelp", "&Help"},
    {"KHelpDeleteRegistry", "Delete Registry and Quit"},
    {"KHelpCopyright", "&Copyright Information ..."},
    {"KHelpVersion", "&Version Information ..."},
};

constexpr EnglishItem kMethodForm[] = {
    {"GroupBox1", "in Line"},       {"GroupBox2", "Rotation"},     {"GroupBox3", "Smoothing"},
    {"GroupBox4", "Sort on"},       {"Button1", "Preview"},        {"Button2", "Convert"},
    {"RadioButton1", "Horizontal"}, {"RadioButton2", "Vertical"},  {"RadioButton3", "Anti-Clock"},
    {"RadioButton4", "Clockwise"},  {"RadioButton5", "Off"},       {"RadioButton6", "On"},
    {"RadioButton7", "Angle"},      {"RadioButton8", "Area"},      {"HeaderControl1.0", "Angle"},
    {"HeaderControl1.1", "Area"},   {"HeaderControl1.2", "Slide"}, {"HeaderControl1.3", "Width"},
    {"HeaderControl1.4", "Height"}, {"MethodForm", "Method"},
};

constexpr EnglishItem kPreviewForm[] = {
    {"CheckBox1", "Show tile &outline"},
    {"PreviewForm", "Preview"},
};

constexpr EnglishItem kFinalForm[] = {
    {"KFile", "&File"},
    {"KFileSaveAs", "Save &As ..."},
    {"KFileClipboard", "Copy to &Clip Board"},
    {"KFileWallpaper", "Set as Desktop &Wallpaper"},
    {"KFileWallpaperSize", "Save Wallpaper of Si&ze ..."},
    {"KView", "&View"},
    {"KView1", "show &1"},
    {"KView4", "tile &4"},
    {"KView9", "tile &9"},
    {"KViewFit", "Fit to &Window"},
    {"KView25", "25%"},
    {"KView50", "50%"},
    {"KView100", "100%"},
    {"KView200", "200%"},
    {"KViewZoomIn", "Zoom &In"},
    {"KViewZoomOut", "Zoom &Out"},
    {"KViewInformation", "Bitmap &Information"},
    {"Button1", "Cancel"},
    {"FinalForm", "Converted"},
};

template <std::size_t N>
std::string Find(const EnglishItem (&table)[N], std::string_view item) {
    const auto found =
        std::find_if(std::begin(table), std::end(table),
                     [item](const EnglishItem& caption) { return caption.item == item; });
    return found != std::end(table) ? std::string(found->text) : std::string();
}

} // namespace

std::span<const EnglishItem> EnglishCaptions(CaptionForm form) {
    switch (form) {
    case CaptionForm::Main:
        return kMainForm;
    case CaptionForm::Method:
        return kMethodForm;
    case CaptionForm::Preview:
        return kPreviewForm;
    case CaptionForm::Final:
        return kFinalForm;
    }
    return {};
}

std::string EnglishCaption(CaptionForm form, std::string_view item) {
    switch (form) {
    case CaptionForm::Main:
        return Find(kMainForm, item);
    case CaptionForm::Method:
        return Find(kMethodForm, item);
    case CaptionForm::Preview:
        return Find(kPreviewForm, item);
    case CaptionForm::Final:
        return Find(kFinalForm, item);
    }
    return {};
}

} // namespace slanter
