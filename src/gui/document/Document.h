#pragma once

#include "ChangeNote.h"
#include "ConfigModel.h"
#include "FileBytes.h"
#include "History.h"
#include "RecoveryWriter.h"

#include <QObject>
#include <QString>
#include <memory>
#include <string>

namespace velto {

// The file a configuration belongs to: its path (empty for one never saved), what the file was when it
// was opened or saved, the version it was written in, and the SHA-256 of its bytes as they were read or
// written (empty when unknown).
struct DocumentFile {
    QString path;
    FileStamp stamp;
    QString version;
    std::string fingerprint;
};

// What the user would lose: the tables, the file they came from, their history and their recovery
// file. "Modified" is answered here alone: the history away from its clean state, or the mark that a
// deliberate act sets (a refused overwrite, an import, a recovered configuration) and only putting a
// configuration in place or saving clears, or the passing mark of an edit that changed no table, which
// the next undo or redo also clears.
class Document final : public QObject {
    Q_OBJECT
public:
    // How a configuration arrives: as it is in its file (New, Open), or recovered after a crash, its
    // changes saved nowhere.
    enum class Arrival { AsSaved, Recovered };

    explicit Document(RecoveryFile recovery, QObject* parent = nullptr);
    ~Document() override;

    ConfigModel& tables() { return *tables_; }
    const ConfigModel& tables() const { return *tables_; }
    const DocumentFile& file() const { return file_; }
    const History& history() const { return history_; }
    const RecoveryFile& recoveryFile() const { return recovery_.file(); }
    bool isModified() const { return kept_ || passing_ || !history_.isClean(); }
    // The SHA-256 of the file while the tables are as it holds them; empty with unsaved changes.
    std::string savedFingerprint() const { return isModified() ? std::string() : file_.fingerprint; }

    // New, Open and recovery: the tables and their file take the place of the current ones and begin
    // a fresh history. A recovered configuration is modified and keeps a recovery file; any other is
    // not and has none.
    void putInPlace(std::unique_ptr<ConfigModel> tables, DocumentFile file, Arrival arrival);
    // The tables have changed: the change becomes a step. A commit that changed nothing still marks
    // the configuration changed, until the next undo or redo, as a confirmed edit always has.
    void commit(const ChangeNote& note);
    void undo();
    void redo();
    // Written to path: it becomes the file, unmodified, with no recovery file.
    void savedAs(const QString& path, const FileStamp& stamp, const std::string& fingerprint = {});
    // Marks the configuration changed until it is saved or replaced, whatever is undone.
    void markModified();
    // Marks the configuration changed until the next undo or redo (see commit).
    void markPassing();
    // The changes are dropped with the window: no recovery file is left.
    void discard();

signals:
    void modifiedChanged(bool modified);
    void fileChanged(const QString& path);
    // An undo or redo changed the tables; the note says where.
    void stepApplied(const ChangeNote& note, bool after);
    void recoveryFailed(const RecoveryFailure& failure);

private:
    void writeRecovery();
    void setMarks(bool kept, bool passing);
    void followModified();

    std::unique_ptr<ConfigModel> tables_;
    DocumentFile file_;
    History history_;
    RecoveryWriter recovery_;
    bool kept_ = false;
    bool passing_ = false;
    bool modifiedShown_ = false;
};

} // namespace velto
