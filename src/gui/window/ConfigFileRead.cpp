#include "ConfigFileRead.h"

#include "ConfReader.h"
#include "EditorHost.h"
#include "FileMessages.h"
#include "NoticeLimit.h"
#include "ShownText.h"
#include "WindowTexts.h"

#include <exception>

namespace velto {
namespace {

// A notice with its record's key and name as the grids show them.
Notice ShownNotice(const Notice& notice) {
    Notice shortened = notice;
    shortened.keyText = ShortenedText(notice.keyText);
    shortened.name = ShortenedText(notice.name);
    return shortened;
}

// The reader's notice as its message box, in the language in force.
void ShowNotice(EditorHost& host, const Notice& notice, const QString& path) {
    const bool italian = host.isItalian();
    const QString text = QString::fromStdString(NoticeText(ShownNotice(notice), italian));
    switch (notice.kind) {
    case NoticeKind::CannotRead:
    case NoticeKind::ParseFailure:
        host.showBox(ReadFailureText(path, notice, italian), kExecutableName, Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::Stop:
        host.showBox(text, QStringLiteral("Error"), Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::OldVersion:
    case NoticeKind::Invalid:
    case NoticeKind::Duplicate:
        host.showBox(text, kApplicationTitle, Buttons::Ok, Icon::None);
        break;
    }
}

} // namespace

std::optional<ConfigFileRead> ReadConfigFile(EditorHost& host, const QString& path) {
    ConfigFileRead read;
    NoticeLimit limit;
    try {
        read.completed = LoadConfigFile(
            path.toStdString(), *read.tables, read.version,
            [&](const Notice& notice) {
                read.readable = read.readable && notice.kind != NoticeKind::CannotRead &&
                                notice.kind != NoticeKind::ParseFailure;
                if (limit.letThrough(notice))
                    ShowNotice(host, notice, path);
            },
            &read.fingerprint);
    } catch (const std::exception& failure) {
        host.showBox(SystemFailureText(path, QString::fromStdString(failure.what())), kExecutableName,
                     Buttons::Ok, Icon::Critical);
        return std::nullopt;
    }
    if (limit.heldBack() > 0)
        host.showBox(QString::fromStdString(HeldBackText(limit.heldBack(), host.isItalian())),
                     kApplicationTitle, Buttons::Ok, Icon::None);
    return read;
}

} // namespace velto
