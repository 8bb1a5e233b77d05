#include "FileGuard.h"

#include "FileMessages.h"
#include "LanguageTable.h"
#include "LeftoverBackups.h"
#include "SafeSave.h"
#include "Words.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
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

FileGuard::FileGuard(Toolkit& toolkit, QWidget* owner, std::function<bool()> italian)
    : toolkit_(toolkit), owner_(owner), italian_(std::move(italian)) {}

int FileGuard::ask(const QString& text, Buttons buttons, Icon icon) {
    return toolkit_.messageBox(owner_, text, kExecutableName, buttons, icon);
}

bool FileGuard::write(const QString& path, const std::function<std::string()>& bytes, const Saver& save) {
    SaveError error;
    try {
        if (save ? save(Encoded(path), bytes(), error) : WriteFileAtomically(Encoded(path), bytes(), error))
            return true;
    } catch (const std::exception& failure) { // running out of memory, above all
        error = {failure.what(), Encoded(path)};
    }
    ask(SystemFailureText(QString::fromStdString(error.subject), QString::fromStdString(error.reason)),
        Buttons::Ok, Icon::Critical);
    return false;
}

bool FileGuard::mayReplaceNamed(const QString& chosen, const QString& path) {
    const QFileInfo target(path);
    return path == chosen || !(target.exists() || target.isSymLink()) ||
           ask(ReplaceQuestionText(path, italian_()), Buttons::YesNo, Icon::Question) == kAnswerYes;
}

bool FileGuard::mayReplaceChanged(const QString& path, const QString& currentFile, const FileStamp& stamp) {
    const FileStamp now = StampOf(Encoded(path));
    const bool current = path == currentFile || now.SameFile(stamp);
    if (!current || !now.exists || now == stamp)
        return true;
    return ask(ToQString(kChangedOnDisk.pick(italian_())).arg(QDir::toNativeSeparators(path)),
               Buttons::YesNoDefaultNo, Icon::Question) == kAnswerYes;
}

bool FileGuard::offerLeftoverBackup(const QString& path) {
    const ExaminedBackups examined = ExamineBackups(Encoded(path), italian_());
    if (!examined.unusable.empty())
        ask(QString::fromStdString(UnusableBackupsText(examined.unusable, italian_())), Buttons::Ok,
            Icon::Exclamation);
    const std::vector<LeftoverBackup>& backups = examined.whole;
    if (backups.empty())
        return true;
    const QString backup = QString::fromStdString(backups.front().path);
    const QString made = QDateTime::fromSecsSinceEpoch(backups.front().modifiedSeconds)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const int answer = ask(ToQString(kRestoreBackup.pick(italian_()))
                               .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backup), made),
                           Buttons::YesNoCancel, Icon::Question);
    if (answer == kAnswerCancel)
        return false;
    std::string error;
    if (answer == kAnswerYes) {
        std::string bytes;
        if (!ReadRegularFile(backups.front().path, SIZE_MAX, bytes, error)) {
            ask(SystemFailureText(backup, QString::fromStdString(error)), Buttons::Ok, Icon::Critical);
            return false;
        }
        if (!write(path, [&] { return std::move(bytes); }))
            return false;
    }
    if (!RemoveBackup(backups.front().path, error))
        ask(SystemFailureText(backup, QString::fromStdString(error)), Buttons::Ok, Icon::Critical);
    return true;
}

} // namespace velto
