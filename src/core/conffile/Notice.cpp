#include "Notice.h"

namespace velto {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string result;
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(what, at);
        result += text.substr(at, found - at);
        if (found == std::string_view::npos)
            return result;
        result += with;
        at = found + what.size();
    }
}

} // namespace

std::string NoticeText(const Notice& notice, bool italian) {
    const std::string_view text = ReaderTextFor(notice.message, italian);
    switch (notice.kind) {
    case NoticeKind::CannotRead:
    case NoticeKind::ParseFailure:
        return notice.reason;
    case NoticeKind::Invalid:
        return std::string(text) + ": " + notice.keyText + " - " + notice.name;
    case NoticeKind::Duplicate:
        return ReplaceAll(text, "\\n", notice.keyText);
    case NoticeKind::OldVersion:
    case NoticeKind::Stop:
        break;
    }
    return std::string(text);
}

} // namespace velto
