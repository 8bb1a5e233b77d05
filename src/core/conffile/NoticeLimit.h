#pragma once

#include "Notice.h"

#include <string>

// A damaged file may give a notice for every one of its records; a window that shows each in a box
// of its own would be locked for as long. The first ten are shown, the rest are counted.
namespace velto {

class NoticeLimit {
public:
    static constexpr int kMostShown = 10;

    // Whether the notice is one to show. A notice that ends the reading is always shown: it says why
    // the file was not read.
    bool letThrough(const Notice& notice);
    int heldBack() const { return heldBack_; }

private:
    int shown_ = 0;
    int heldBack_ = 0;
};

// The text of the box shown after the others: how many notices were held back, and where to see them.
std::string HeldBackText(int heldBack, bool italian);

} // namespace velto
