#include "FileLocations.h"

#include <QFileInfo>

namespace velto {
namespace {

#ifdef _WIN32
constexpr bool kProgramFolderHoldsDocuments = false;
#else
constexpr bool kProgramFolderHoldsDocuments = true;
#endif

} // namespace

QString DialogFolder(const QString& currentFile, const QString& lastFolder, const QString& programFolder,
                     const QString& documentsFolder) {
    if (!currentFile.isEmpty())
        return QFileInfo(currentFile).absolutePath();
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        return lastFolder;
    const QFileInfo program(programFolder);
    return kProgramFolderHoldsDocuments && program.isDir() && program.isWritable() ? programFolder
                                                                                   : documentsFolder;
}

QString ProposedName(const QString& currentFile) {
    return currentFile.isEmpty() ? QStringLiteral("conf.xml") : QFileInfo(currentFile).fileName();
}

QString WithXmlExtension(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".xml") : path;
}

} // namespace velto
