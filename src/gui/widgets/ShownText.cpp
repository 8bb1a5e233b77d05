#include "ShownText.h"

namespace velto {

QString Shortened(const QString& text, qsizetype most) {
    if (text.size() <= most)
        return text;
    const qsizetype kept = most - (text[most - 1].isHighSurrogate() ? 1 : 0);
    return text.left(kept) + QChar(0x2026);
}

QString ShownText(const std::string& utf8) {
    return QString::fromStdString(ShortenedText(utf8));
}

} // namespace velto
