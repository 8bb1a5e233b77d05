#include "RecoveryOffer.h"

#include "FileMessages.h"
#include "LanguageTable.h"
#include "TextEncoding.h"
#include "WindowTexts.h"
#include "Words.h"

#include <QDateTime>
#include <QDir>
#include <exception>

namespace velto {
namespace {

QString NativePath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

constexpr TextPair kRecoveryQuestion{
    "Il programma non si è chiuso normalmente: ci sono modifiche non salvate di %1, del %2.\r\n"
    "Vuoi recuperarle?",
    "The program did not end normally: there are unsaved changes to %1, from %2.\r\n"
    "Do you want to recover them?"};
constexpr TextPair kNewConfiguration{"una nuova configurazione", "a new configuration"};
constexpr TextPair kQuoted{"«%1»", "“%1”"};
constexpr TextPair kDateFormat{"dd/MM/yyyy HH:mm", "yyyy-MM-dd HH:mm"};

// The question about a leftover: the file it was a change of, and when it was last written.
QString RecoveryQuestion(const Leftover& leftover, bool italian) {
    const QDateTime written = QDateTime::fromSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::seconds>(leftover.written.time_since_epoch()).count());
    const QString file =
        QDir::toNativeSeparators(QString::fromStdString(EscapeControls(leftover.editedFile)));
    return Pick(kRecoveryQuestion, italian)
        .arg(file.isEmpty() ? Pick(kNewConfiguration, italian) : Pick(kQuoted, italian).arg(file),
             written.toString(Pick(kDateFormat, italian)));
}

// The one warning about the leftovers that could not be read: the file, or how many, then why the first
// could not.
constexpr TextPair kOneUnreadable{"Il file di recupero %1 non si può leggere ed è stato eliminato.\r\n",
                                  "The recovery file %1 cannot be read and has been removed.\r\n"};
constexpr TextPair kUnreadable{
    "%1 file di recupero non si possono leggere e sono stati eliminati. Il primo:\r\n",
    "%1 recovery files cannot be read and have been removed. The first:\r\n"};

// The leftover's configuration, or the notice that stopped its reading.
std::optional<Notice> Read(const Leftover& leftover, ConfigModel& tables) {
    try {
        return ReadLeftover(leftover, tables);
    } catch (const std::exception& exception) {
        Notice failure;
        failure.kind = NoticeKind::CannotRead;
        failure.reason = exception.what();
        return failure;
    }
}

} // namespace

std::optional<RecoveredConfiguration> OfferRecovery(const RecoveryFile& own, Toolkit& toolkit, QWidget* owner,
                                                    bool italian) {
    std::vector<std::pair<Leftover, std::unique_ptr<ConfigModel>>> readable;
    int unreadable = 0;
    QString first, warning;
    for (Leftover& leftover : FindLeftovers(own)) {
        auto tables = std::make_unique<ConfigModel>();
        if (const std::optional<Notice> failure = Read(leftover, *tables)) {
            const QString file = NativePath(leftover.file);
            if (unreadable++ == 0)
                first = file, warning = ReadFailureText(file, *failure, italian);
            RemoveLeftover(leftover);
            continue;
        }
        readable.emplace_back(std::move(leftover), std::move(tables));
    }
    if (unreadable > 0) {
        const QString heading = unreadable == 1 ? Pick(kOneUnreadable, italian).arg(first)
                                                : Pick(kUnreadable, italian).arg(unreadable);
        toolkit.messageBox(owner, heading + warning, Pick(kWarningTitle, italian), Buttons::Ok,
                           Icon::Exclamation);
    }
    for (auto& [leftover, tables] : readable) {
        const int answer = toolkit.messageBox(owner, RecoveryQuestion(leftover, italian), kExecutableName,
                                              Buttons::YesNo, Icon::Question);
        RemoveLeftover(leftover);
        if (answer == kAnswerYes)
            return RecoveredConfiguration{std::move(tables), QString::fromStdString(leftover.editedFile)};
    }
    return std::nullopt;
}

} // namespace velto
