#include "Process.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string_view>

namespace {

// The headless platform warns about window hints it cannot pass on; nothing a test can act on.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    qt_message_output(type, context, message);
}

} // namespace

// Runs the window tests headless, with the per-user settings, recovery files and versions in folders of
// their own.
int main(int argc, char** argv) {
    // Headless on a 1600 x 1000 screen, which is 800 x 500 at twice the scale.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() || platform == "offscreen"
                                   ? "offscreen:configfile=" VELTO_TEST_DATA_DIR "/offscreen-screen.json"
                                   : platform);
    QTemporaryDir settingsHome, stateHome, dataHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv(velto::kStateFolderVariable, stateHome.path().toLocal8Bit());
    if (std::string_view(velto::kDataFolderVariable) != velto::kStateFolderVariable)
        qputenv(velto::kDataFolderVariable, dataHome.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler(QuietMessages);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
