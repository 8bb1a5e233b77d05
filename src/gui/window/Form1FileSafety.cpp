// What keeps the user's files whole around Open and Save: the safe save's failure box, the question
// before replacing a file another program changed, the backup an unfinished save left behind.
#include "FileMessages.h"
#include "Form1.h"
#include "LeftoverBackups.h"
#include "SafeSave.h"
#include "Words.h"

#include <QDateTime>
#include <QDir>
#include <exception>

namespace velto {
namespace {

constexpr TextPair kChangedOnDisk{
    "Il file %1 è stato modificato da un altro programma dopo l'ultima apertura o salvataggio.\n"
    "Sostituirlo comunque?",
    "The file %1 was changed by another program since it was last opened or saved.\nReplace it anyway?"};
constexpr TextPair kRestoreBackup{
    "Un salvataggio di %1 non è terminato: il contenuto precedente del file è in %2, del %3.\n"
    "Ripristinarlo? Sì lo rimette al suo posto, No apre il file com'è ed elimina la copia.",
    "A save of %1 did not finish: the file's previous contents are in %2, of %3.\n"
    "Restore them? Yes puts them back, No opens the file as it is and deletes the copy."};

std::string Encoded(const QString& path) {
    return path.toStdString();
}

} // namespace

bool Form1::writeFile(const QString& path, const std::function<std::string()>& bytes) {
    SaveError error;
    try {
        if (WriteFileAtomically(Encoded(path), bytes(), error))
            return true;
    } catch (const std::exception& failure) { // running out of memory, above all
        error = {failure.what(), Encoded(path)};
    }
    showBox(SystemFailureText(QString::fromStdString(error.subject), QString::fromStdString(error.reason)),
            kExecutableName, Buttons::Ok, Icon::Critical);
    return false;
}

bool Form1::mayReplaceCurrentFile(const QString& path) {
    const FileStamp now = StampOf(Encoded(path));
    const bool current = path == currentFile_ || now.SameFile(currentStamp_);
    if (!current || !now.exists || now == currentStamp_)
        return true;
    if (showBox(ToQString(kChangedOnDisk.pick(UiLanguage)).arg(QDir::toNativeSeparators(path)),
                kExecutableName, Buttons::YesNoDefaultNo, Icon::Question) == kAnswerYes)
        return true;
    setDirty(true);
    return false;
}

bool Form1::offerLeftoverBackup(const QString& path) {
    const ExaminedBackups examined = ExamineBackups(Encoded(path), UiLanguage);
    if (!examined.unusable.empty())
        showBox(QString::fromStdString(UnusableBackupsText(examined.unusable, UiLanguage)), kExecutableName,
                Buttons::Ok, Icon::Exclamation);
    const std::vector<LeftoverBackup>& backups = examined.whole;
    if (backups.empty())
        return true;
    const QString backup = QString::fromStdString(backups.front().path);
    const QString made = QDateTime::fromSecsSinceEpoch(backups.front().modifiedSeconds)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const int answer =
        showBox(ToQString(kRestoreBackup.pick(UiLanguage))
                    .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backup), made),
                kExecutableName, Buttons::YesNoCancel, Icon::Question);
    if (answer == kAnswerCancel)
        return false;
    std::string error;
    if (answer == kAnswerYes) {
        std::string bytes;
        if (!ReadRegularFile(backups.front().path, SIZE_MAX, bytes, error)) {
            showBox(SystemFailureText(backup, QString::fromStdString(error)), kExecutableName, Buttons::Ok,
                    Icon::Critical);
            return false;
        }
        if (!writeFile(path, [&] { return std::move(bytes); }))
            return false;
    }
    if (!RemoveBackup(backups.front().path, error))
        showBox(SystemFailureText(backup, QString::fromStdString(error)), kExecutableName, Buttons::Ok,
                Icon::Critical);
    return true;
}

} // namespace velto
