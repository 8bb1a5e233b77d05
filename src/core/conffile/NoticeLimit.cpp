#include "NoticeLimit.h"

#include "Words.h"

namespace velto {

bool NoticeLimit::letThrough(const Notice& notice) {
    const bool ending = notice.kind == NoticeKind::CannotRead || notice.kind == NoticeKind::ParseFailure ||
                        notice.kind == NoticeKind::Stop;
    if (ending || shown_ < kMostShown) {
        ++shown_;
        return true;
    }
    ++heldBack_;
    return false;
}

std::string HeldBackText(int heldBack, bool italian) {
    constexpr TextPair kHeldBack{
        "Il file dà altri %1 avvisi, non mostrati. velto-conf check li elenca tutti.",
        "The file gives %1 more notices, not shown. velto-conf check lists them all."};
    std::string text(kHeldBack.pick(italian));
    return text.replace(text.find("%1"), 2, std::to_string(heldBack));
}

} // namespace velto
