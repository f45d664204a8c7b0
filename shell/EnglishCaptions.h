#pragma once

#include <string>
#include <string_view>

namespace slanter {

// The designed forms whose captions an English run replaces.
enum class CaptionForm { Main, Method, Preview, Final };

// The English caption of an item of a designed form, by the item's name: the form's own
// name for its window caption, "HeaderControl1.N" for column N of the method list. Empty
// for an item that keeps its designed caption.
std::string EnglishCaption(CaptionForm form, std::string_view item);

} // namespace slanter
