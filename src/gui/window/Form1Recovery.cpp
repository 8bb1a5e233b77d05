// The recovery file: written after every step, undo and redo; removed by Save, New, Open and an exit
// that keeps no changes; offered again at the next start when the program did not end.
#include "FileMessages.h"
#include "Form1.h"
#include "RecoveryFile.h"
#include "TextEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QUndoStack>
#include <exception>

namespace velto {
namespace {

QString WarningTitle(bool italian) {
    return italian ? QStringLiteral("Attenzione") : QStringLiteral("Warning");
}

QString NativePath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

// The question about a leftover: the file it was a change of, and when it was last written.
QString RecoveryQuestion(const Leftover& leftover, bool italian) {
    const QDateTime written = QDateTime::fromSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::seconds>(leftover.written.time_since_epoch()).count());
    const QString file =
        QDir::toNativeSeparators(QString::fromStdString(EscapeControls(leftover.editedFile)));
    if (italian)
        return QStringLiteral("Il programma non si è chiuso normalmente: ci sono modifiche non salvate di "
                              "%1, del %2.\r\nVuoi recuperarle?")
            .arg(file.isEmpty() ? QStringLiteral("una nuova configurazione") : "«" + file + "»",
                 written.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    return QStringLiteral("The program did not end normally: there are unsaved changes to %1, from "
                          "%2.\r\nDo you want to recover them?")
        .arg(file.isEmpty() ? QStringLiteral("a new configuration") : "“" + file + "”",
             written.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

} // namespace

void Form1::writeRecovery() {
    std::string error;
    const bool written = recovery_->write(model_, currentFile_.toStdString(), error);
    // Said once each time writing stops working, not at every step.
    if (!written && !recoveryFailing_) {
        const QString folder = NativePath(recovery_->folder()), reason = QString::fromStdString(error);
        showBox(UiLanguage
                    ? QStringLiteral("Il file di recupero non si può scrivere in %1: %2\r\nSe il "
                                     "programma si interrompe, le modifiche non salvate andranno perse.")
                          .arg(folder, reason)
                    : QStringLiteral("The recovery file cannot be written in %1: %2\r\nIf the program "
                                     "stops, the unsaved changes will be lost.")
                          .arg(folder, reason),
                WarningTitle(UiLanguage), Buttons::Ok, Icon::Exclamation);
    }
    recoveryFailing_ = !written;
}

void Form1::removeRecovery() {
    recovery_->remove();
}

bool Form1::offerRecovery() {
    for (const Leftover& leftover : FindLeftovers(*recovery_)) {
        auto tables = std::make_unique<ConfigModel>();
        std::optional<Notice> failure;
        try {
            failure = ReadLeftover(leftover, *tables);
        } catch (const std::exception& exception) {
            failure.emplace().kind = NoticeKind::CannotRead;
            failure->reason = exception.what();
        }
        const QString file = NativePath(leftover.file);
        if (failure) {
            showBox((UiLanguage ? QStringLiteral("Il file di recupero %1 non si può leggere ed è stato "
                                                 "eliminato.\r\n")
                                : QStringLiteral("The recovery file %1 cannot be read and has been "
                                                 "removed.\r\n"))
                            .arg(file) +
                        ReadFailureText(file, *failure, UiLanguage),
                    WarningTitle(UiLanguage), Buttons::Ok, Icon::Exclamation);
            RemoveLeftover(leftover);
            continue;
        }
        if (showBox(RecoveryQuestion(leftover, UiLanguage), kExecutableName, Buttons::YesNo,
                    Icon::Question) != kAnswerYes) {
            RemoveLeftover(leftover);
            continue;
        }
        // Unsaved changes of that file: its name in the title with the mark, and Save proposes it.
        CancelAllEditors();
        model_ = std::move(*tables);
        forgetEditsAndWidths();
        const QString edited = QString::fromStdString(leftover.editedFile);
        edited.isEmpty() ? showNewFileStatus() : setStatus(QDir::toNativeSeparators(edited));
        RefreshAllViews();
        setCurrentFile(edited);
        startHistory();
        history_->resetClean(); // no undo leads back to a saved state
        setDirty(true);
        RemoveLeftover(leftover);
        writeRecovery();
        return true;
    }
    return false;
}

} // namespace velto
