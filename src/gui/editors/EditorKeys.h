#pragma once

namespace velto {

class RecordEditor;

// The keyboard and mouse shortcuts of a tab's editor: while it adds or modifies, Enter in any of its
// fields runs Confirm (when Confirm is enabled) and Escape runs Cancel; a double click on a data row
// runs Modify (when Modify is enabled).
void AttachEditorKeys(RecordEditor& editor);

} // namespace velto
