#pragma once

#include "Words.h"

#include <QString>
#include <array>
#include <span>
#include <string_view>

// The interface in two languages: the words of Words.h and the captions a language switch writes.
namespace velto {

// A caption written by a switch: the control's name with either its own pair of texts or a word.
struct Caption {
    std::string_view control;
    TextPair text;
    Word word = Word::Count; // when set, the caption is this word
    int tab = -1;            // the index of a tab of STab, whose caption this is
};

// In the order a switch writes them: menus, tabs, buttons, the group frame, the labels, then the find
// box, the delete images (named to screen readers by their text) and the Help menu.
extern const std::span<const Caption> kCaptions;

// The words in force, rewritten by each language switch.
class UiTexts {
public:
    void load(bool italian);
    const QString& operator[](Word word) const { return values_[static_cast<std::size_t>(word)]; }

private:
    std::array<QString, static_cast<std::size_t>(Word::Count)> values_;
};

QString ToQString(std::string_view text);

} // namespace velto
