#pragma once

namespace velto {

class RecordEditor;

// The keyboard and mouse shortcuts of a tab's editor: while it adds or modifies, Enter in any of its
// fields runs Confirm (when Confirm is enabled) and Escape runs Cancel. On the grid, Insert runs New,
// Enter, F2 and a double click on a data row run Modify, and Delete runs Delete, each only when its
// button is enabled.
void AttachEditorKeys(RecordEditor& editor);

} // namespace velto
