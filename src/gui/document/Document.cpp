#include "Document.h"

namespace velto {

Document::Document(RecoveryFile recovery, QObject* parent)
    : QObject(parent), tables_(std::make_unique<ConfigModel>()), history_(*tables_),
      recovery_(std::move(recovery)) {
    connect(&history_, &History::stepApplied, this, &Document::stepApplied);
    connect(&history_, &History::changed, this, &Document::followModified);
}

Document::~Document() {
    history_.disconnect(this);
}

void Document::putInPlace(std::unique_ptr<ConfigModel> tables, DocumentFile file, Arrival arrival) {
    *tables_ = std::move(*tables); // in place: the editors hold its tables
    const bool fileChanges = file.path != file_.path;
    file_ = std::move(file);
    history_.start();
    setMarks(arrival == Arrival::Recovered, false); // no undo leads back to a saved state
    if (fileChanges)
        emit fileChanged(file_.path);
    arrival == Arrival::Recovered ? writeRecovery() : recovery_.remove();
}

void Document::commit(const ChangeNote& note) {
    if (history_.commit(note))
        writeRecovery();
    else
        markPassing();
}

void Document::undo() {
    if (!history_.undo())
        return;
    setMarks(kept_, false);
    writeRecovery();
}

void Document::redo() {
    if (!history_.redo())
        return;
    setMarks(kept_, false);
    writeRecovery();
}

void Document::savedAs(const QString& path, const FileStamp& stamp, const std::string& fingerprint) {
    const bool fileChanges = path != file_.path;
    file_.path = path;
    file_.stamp = stamp;
    file_.fingerprint = fingerprint;
    history_.setClean();
    setMarks(false, false);
    recovery_.remove();
    if (fileChanges)
        emit fileChanged(path);
}

void Document::markModified() {
    setMarks(true, passing_);
}

void Document::markPassing() {
    setMarks(kept_, true);
}

void Document::discard() {
    recovery_.remove();
}

void Document::writeRecovery() {
    if (const std::optional<RecoveryFailure> failure = recovery_.write(*tables_, file_.path))
        emit recoveryFailed(*failure);
}

void Document::setMarks(bool kept, bool passing) {
    kept_ = kept;
    passing_ = passing;
    followModified();
}

void Document::followModified() {
    if (isModified() == modifiedShown_)
        return;
    modifiedShown_ = isModified();
    emit modifiedChanged(modifiedShown_);
}

} // namespace velto
