// Edit > Undo and Redo: the document's history, each command first cancelling any edit in progress.
#include "Form1.h"

namespace velto {

void Form1::mUndo_Click() {
    if (!document_->history().canUndo())
        return;
    CancelAllEditors();
    document_->undo();
}

void Form1::mRedo_Click() {
    if (!document_->history().canRedo())
        return;
    CancelAllEditors();
    document_->redo();
}

} // namespace velto
