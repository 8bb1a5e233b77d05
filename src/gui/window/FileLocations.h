#pragma once

#include <QString>

// Where the file dialogs start and what Save proposes.
namespace velto {

// The current file's folder; with none, the folder the user last chose a file in; never used
// before, the program's own folder when the user may write there, else the documents folder. On
// Windows, where programs live apart from documents, never the program's folder.
QString DialogFolder(const QString& currentFile, const QString& lastFolder, const QString& programFolder,
                     const QString& documentsFolder);

// The current file's name, or "conf.xml" while there is no current file.
QString ProposedName(const QString& currentFile);

// A name typed without an extension gets ".xml".
QString WithXmlExtension(const QString& path);

} // namespace velto
