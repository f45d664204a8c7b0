#pragma once

#include <span>
#include <string>
#include <string_view>

namespace slanter {

// The designed forms whose captions an English run replaces.
enum class CaptionForm { Main, Method, Preview, Final };

// The English caption of an item of a designed form, by the item's name: the form's own
// name for its window caption, "HeaderControl1.N" for column N of the method list. Empty
// for an item that keeps its designed caption.
std::string EnglishCaption(CaptionForm form, std::string_view item);

struct EnglishItem {
    std::string_view item;
    std::string_view text;
};
// Every item of a designed form that an English run captions anew, so that each front end
// sets them in one loop.
std::span<const EnglishItem> EnglishCaptions(CaptionForm form);

} // namespace slanter
