#pragma once

#include "ConfigModel.h"
#include "EditorHost.h"
#include "ExportTables.h"
#include "FileBytes.h"
#include "GridRows.h"
#include "LanguageTable.h"
#include "LeaveOutAsker.h"
#include "QtOwnTexts.h"
#include "Toolkit.h"

#include <QHash>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QUndoStack;

namespace velto {

class CameraEditor;
class DeviceEditor;
class GridView;
class NamedSlotEditor;
class RecentFiles;
class RecordEditor;
class RecoveryFile;
class ScenarioEditor;
class SlotNameList;
struct EditorRoles;
struct Notice;
struct ReportDocument;
struct ReportProject;
struct SlotChange;

inline constexpr int kTabCount = 5;
inline const QString kWindowTitle = QStringLiteral("Velto-Configurator V.1.0");
// Titles the reader's notices, which name no title of their own.
inline const QString kApplicationTitle = QStringLiteral("Velto-Configurator");

// The main window: menus, the five tabs with their grids and editors, the status bar.
class Form1 final : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit Form1(Toolkit& toolkit, QWidget* parent = nullptr);
    ~Form1() override;

    // File and Language menus.
    void mNew_Click();
    void mOpen_Click();
    void mImport_Click();
    void mSave_Click();
    void mReport_Click();
    void mPrint_Click();
    void mExit_Click();
    void mIta_Click();
    void mEng_Click();
    // Edit menu: each first cancels any edit in progress.
    void mUndo_Click();
    void mRedo_Click();
    // Edit and Help menus.
    void mFind_Click();
    void mGuide_Click();
    void mAbout_Click();

    // The buttons of the five tabs.
    void Cnew_Click();
    void Cmod_Click();
    void Cdel_Click();
    void Cok_Click();
    void Cann_Click();
    void CnewC_Click();
    void CmodC_Click();
    void CdelC_Click();
    void CokC_Click();
    void CannC_Click();
    void CnewP_Click();
    void CmodP_Click();
    void CdelP_Click();
    void CokP_Click();
    void CAnnP_Click();
    void CnewW_Click();
    void CmodW_Click();
    void CdelW_Click();
    void CokW_Click();
    void CannW_Click();
    void CNews_Click();
    void CModS_Click();
    void CDelS_Click();
    void CokS_Click();
    void CannS_Click();

    // Answers true when the pending command must not go ahead.
    bool AskToSaveChanges();
    void CancelAllEditors();
    // For a configuration just emptied or read: no modification in progress, columns fitted again.
    void forgetEditsAndWidths();
    void FillGroupCombo();

    void SetupDeviceGrid();
    void SetupLoadGrid();
    void SetupProbeGrid();
    void SetupCameraGrid();
    void SetupScenarioGrid();

    // Reads a conf.xml in place of the tables, showing each notice as its box. True when the file
    // could be opened and parsed, whether or not every section was read to its end.
    bool readConfiguration(const QString& path);
    // Opens a file as Open does once its dialog has answered.
    void openFile(const QString& path);
    // Puts an imported configuration in place of the tables: the views follow, the configuration is
    // marked changed.
    // One step of the history.
    void applyImport(const ConfigModel& imported, TableId table);

    // Opens a dropped or recent file behind the unsaved-changes question, as Open would.
    void openInsteadOfCurrent(const QString& path);

    // The tables as they are now begin a fresh history, with no recovery file.
    void startHistory();
    // At start-up: asks about each recovery file a program that no longer runs left behind, newest
    // first, and loads the first one the user takes. True when one was loaded.
    bool offerRecovery();

    // EditorHost
    ConfigModel& model() override { return model_; }
    const UiTexts& texts() const override { return texts_; }
    bool isItalian() const override { return UiLanguage; }
    int showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    void RefreshAllViews() override;
    void markChanged() override { setDirty(true); }
    // The one way a committed change to the tables becomes a step of the history (see Form1History.cpp).
    void commitChange(const ChangeNote& note) override;
    void rememberAnswer(int answerCode) override { LastAnswer = QString::number(answerCode); }

    bool dirty() const { return DirtyFlag; }
    const QString& lastAnswer() const { return LastAnswer; }
    QString statusText() const;
    RecordEditor& editor(int tab) const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildTabs();
    QWidget* buildDeviceTab();
    QWidget* buildRecordTab(int tab);
    void indexControls();
    // A named control or action, found in the index built once the window is built.
    template <typename T> T* control(const char* name) const {
        return qobject_cast<T*>(controls_.value(QString::fromLatin1(name)));
    }
    void createEditors();
    void fillFixedLists();
    void switchLanguage(bool italian);
    void setCaption(const Caption& caption, const QString& text);
    void setGrid(int tab, const GridRows& rows = {});
    void showNotice(const Notice& notice, const QString& path);
    void setStatus(const QString& text);
    // The file last opened or saved, empty for a configuration never saved.
    const QString& currentFilePath() const { return currentFile_; }
    // Asks for the project information the report opens with, proposing what was given before;
    // false when the user cancels.
    bool askProject(ReportProject& project);
    ReportDocument report(const ReportProject& project) const;
    QString dialogFolder();
    FileDialogRequest fileDialogRequest(int mode);
    // The file opened or saved becomes the current one; a file that could not be read (readable false)
    // does not, but its folder, when it exists, is where the dialogs start next.
    void setCurrentFile(const QString& path, bool readable = true);
    // Writes what bytes gives through the safe save; on a failure, an exception included, shows the
    // critical box and answers false, the file as it was.
    bool writeFile(const QString& path, const std::function<std::string()>& bytes);
    // Before Save replaces the current file: false when another program changed it since it was
    // opened or saved and the user answers No.
    bool mayReplaceCurrentFile(const QString& path);
    // Before Open: offers to restore a backup that an unfinished save left beside the file. False when
    // the Open must not go ahead.
    bool offerLeftoverBackup(const QString& path);
    // Whether the file a dialog chose, now named path with the extension the program added, may be
    // written: the dialog asked about the name chosen, so a different file that exists is replaced only
    // when the user says so.
    bool mayReplace(const QString& chosen, const QString& path);
    void setDirty(bool dirty);
    void showFileInTitle();
    void fillRecentMenu();
    void openRecent(const QString& path);
    // The new-file text, which then follows the language.
    void showNewFileStatus();
    void setUpHistory();
    // Puts the slots of a step back as they were before or after it and shows where it happened.
    void applyStep(const ChangeNote& note, const std::vector<SlotChange>& changes, bool after);
    // Undo (back) or redo: the unsaved mark then says what the history says.
    void moveInHistory(bool back);
    // The Edit menu names the step each command would undo or redo, in the language in force.
    void showHistoryInMenu();
    void markSaved();
    void writeRecovery();
    void removeRecovery();
    // The filter over the grids and the group names the device grid shows on hovering.
    void connectFind();
    void showFindCount();
    // The window's size, place and maximised state, kept in the settings and fitted to the screen.
    void restorePlacement();
    void storePlacement();

    Toolkit& toolkit_;
    ConfigModel model_;
    UiTexts texts_;
    bool UiLanguage = true;
    bool DirtyFlag = false;
    QString LastAnswer;
    QString FileVersion;
    QString currentFile_;    // the file last opened or saved, empty after start-up and New
    FileStamp currentStamp_; // what the current file was when it was opened or saved
    LeaveOutAsker leaveOutAsker_;
    std::unique_ptr<RecentFiles> recent_;
    QtOwnTexts qtTexts_;
    bool newFileShown_ = false;
    bool closeConfirmed_ = false;
    bool iconRequested_ = false;
    int shownTab_ = 0;

    QUndoStack* history_ = nullptr;
    std::unique_ptr<ConfigModel> historyTables_; // the tables as the last step left them
    std::unique_ptr<RecoveryFile> recovery_;
    bool recoveryFailing_ = false;

    QHash<QString, QObject*> controls_;
    QTabWidget* STab = nullptr;
    QMenu* mRecent = nullptr;
    QLabel* statusPanel_ = nullptr;
    QLineEdit* Tfind = nullptr;
    QLabel* LfindTot = nullptr;
    QWidget* guide_ = nullptr; // the quick guide's window, once opened
    std::array<QLabel*, kTabCount> countLabels_{};
    std::array<GridView*, kTabCount> grids_{};
    std::array<std::unique_ptr<EditorRoles>, kTabCount> roles_;
    QListWidget* Lgru = nullptr;
    QListWidget* Laux = nullptr;
    QComboBox* Cgru = nullptr;
    QComboBox* Cbus = nullptr;
    QComboBox* Cmont = nullptr;

    std::unique_ptr<DeviceEditor> devices_;
    std::unique_ptr<NamedSlotEditor> loads_;
    std::unique_ptr<NamedSlotEditor> probes_;
    std::unique_ptr<CameraEditor> cameras_;
    std::unique_ptr<ScenarioEditor> scenarios_;
    std::unique_ptr<SlotNameList> groups_;
    std::unique_ptr<SlotNameList> auxiliaries_;
};

} // namespace velto
