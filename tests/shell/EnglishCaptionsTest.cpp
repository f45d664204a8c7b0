#include <gtest/gtest.h>

#include "shell/EnglishCaptions.h"

namespace slanter {
namespace {

// The English captions both programs show, as the forms' English runs give them.
TEST(EnglishCaptions, EachFormGivesItsItemsTheirEnglishCaptions) {
    EXPECT_EQ(EnglishCaption(CaptionForm::Main, "KFileOpen"), "&Open Image File ...");
    EXPECT_EQ(EnglishCaption(CaptionForm::Main, "KViewInformation"), "Bitmap &Information ...");
    EXPECT_EQ(EnglishCaption(CaptionForm::Final, "KViewInformation"), "Bitmap &Information");
    EXPECT_EQ(EnglishCaption(CaptionForm::Final, "FinalForm"), "Converted");
    EXPECT_EQ(EnglishCaption(CaptionForm::Method, "HeaderControl1.2"), "Slide");
    EXPECT_EQ(EnglishCaption(CaptionForm::Preview, "CheckBox1"), "Show tile &outline");
    // An item of another form, or none, keeps its designed caption.
    EXPECT_EQ(EnglishCaption(CaptionForm::Preview, "KFile"), "");
}

} // namespace
} // namespace slanter
