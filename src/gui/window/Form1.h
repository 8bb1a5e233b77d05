#pragma once

#include "ConfigModel.h"
#include "Document.h"
#include "EditorHost.h"
#include "ExportTables.h"
#include "GridRows.h"
#include "LanguageTable.h"
#include "LeaveOutAsker.h"
#include "QtOwnTexts.h"
#include "Toolkit.h"
#include "WindowTitle.h"

#include <QHash>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
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

namespace velto {

class CameraEditor;
class DeviceEditor;
class GridView;
class NamedSlotEditor;
class RecentFiles;
class RecordEditor;
class ReportCommand;
struct ReportSubject;
class Document;
class FileGuard;
class FindBar;
class ScenarioEditor;
class SlotNameList;
struct EditorRoles;
struct BatchOutcome;
struct Notice;
struct RowNote;

inline constexpr int kTabCount = 5;
// The table each tab shows.
inline constexpr TableId kTabTables[kTabCount] = {TableId::Devices, TableId::Loads, TableId::Probes,
                                                  TableId::Cameras, TableId::Scenarios};
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
    void mExportCsv_Click();
    void mSave_Click();
    void mReport_Click();
    void mPrint_Click();
    void mCompare_Click();
    void mExit_Click();
    void mIta_Click();
    void mEng_Click();
    // Edit menu: each first cancels any edit in progress.
    void mUndo_Click();
    void mRedo_Click();
    // Edit and Help menus.
    void mFind_Click();
    // Edit menu, on the grid shown: many records at once.
    void mSelectAll_Click();
    void mCopy_Click();
    void mCut_Click();
    void mPaste_Click();
    void mDuplicate_Click();
    void mBulk_Click();
    void mGuide_Click();
    void mAbout_Click();

    // The buttons of the five tabs, each forwarding to its tab's editor.
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

    // Opens a file as Open does once its dialog has answered.
    void openFile(const QString& path);
    // Opens a dropped or recent file behind the unsaved-changes question, as Open would.
    void openInsteadOfCurrent(const QString& path);
    // Shows, in a view beside the window, what changed from another configuration, named and
    // fingerprinted (SHA-256 of its bytes; empty for unsaved changes), to the one in the window.
    void showComparison(const ConfigModel& other, const QString& otherName,
                        const std::string& otherFingerprint);
    // At start-up: asks about each recovery file a program that no longer runs left behind, newest
    // first, and puts the first one the user takes in place. True when one was taken.
    bool offerRecovery();

    // EditorHost
    ConfigModel& model() override { return document_->tables(); }
    const UiTexts& texts() const override { return texts_; }
    bool isItalian() const override { return UiLanguage; }
    int showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    void RefreshAllViews() override;
    void markChanged() override { document_->markPassing(); }
    void commitChange(const ChangeNote& note) override { document_->commit(note); }
    void rememberAnswer(int answerCode) override { LastAnswer = QString::number(answerCode); }
    void deleteRecords(int tab, const QList<int>& rows) override;

    Document& document() { return *document_; }
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
    void followDocument();
    void fillFixedLists();
    void switchLanguage(bool italian);
    void setCaption(const Caption& caption, const QString& text);
    void setGrid(int tab, const GridRows& rows = {});
    void FillGroupCombo();
    // A conf.xml read into tables of its own, with the SHA-256 of the bytes read.
    struct FileRead {
        std::unique_ptr<ConfigModel> tables = std::make_unique<ConfigModel>();
        std::string version, fingerprint;
        bool readable = true;   // neither refused nor unparsable
        bool completed = false; // read to its end, without a stop
    };
    // Reads a file showing the reader's notices as Open shows them; nothing when a system failure
    // stopped it, whose box it shows.
    std::optional<FileRead> readFile(const QString& path);
    // A group or auxiliary name typed without Enter is stored before a command acts on the tables.
    void keepTypedNames();
    // Answers true when the pending command must not go ahead.
    bool AskToSaveChanges();
    void CancelAllEditors();
    // For a configuration just put in place: no modification in progress, columns fitted again.
    void forgetEditsAndWidths();
    void showNotice(const Notice& notice, const QString& path);
    void setStatus(const QString& text);
    // The new-file text, which then follows the language.
    void showNewFileStatus();
    // The file last opened or saved, empty for a configuration never saved.
    const QString& currentFilePath() const { return document_->file().path; }
    ReportSubject reportSubject();
    QString dialogFolder();
    FileDialogRequest fileDialogRequest(int mode);
    // A file chosen: its folder, when it exists, is where the dialogs start next; a file read or
    // written goes first among the recent files.
    void rememberFile(const QString& path, bool read);
    void showFileInTitle();
    void fillRecentMenu();
    void openRecent(const QString& path);
    // Shows the tab and record where an undo or redo happened.
    void showStep(const ChangeNote& note, bool after);
    // Shows the tab of a record and selects it, when it is there, or its group's or auxiliary's slot.
    void showRecord(Subject subject, int key);
    // The Edit menu names the step each command would undo or redo, in the language in force.
    void showHistoryInMenu();
    // Copy, Cut, Duplicate and Change selected are enabled while the grid shown has records selected
    // (Change selected on the tabs whose records it changes).
    void updateRecordCommands();
    // The key of the record in a row of a tab's grid.
    int keyAt(int tab, int row) const;
    // The keys of the records selected in a tab's grid, in grid order.
    QList<int> selectedKeys(int tab) const;
    bool browsingShownTab() const;
    // The keys of the records selected in the grid shown, none while its editor is open.
    std::vector<int> keysToChange() const;
    // Selects the rows of a tab's records at the keys.
    void showRecords(int tab, const std::vector<int>& keys);
    // The records changed in the tables become one step, those at the keys shown selected.
    void commitRecords(int tab, const ChangeNote& note, const std::vector<int>& keys);
    // Records pasted or duplicated, or the reasons they were refused.
    void addRecords(int tab, const TextPair& many, const TextPair& refusal, const BatchOutcome& added);
    void showRefused(const TextPair& heading, const std::vector<RowNote>& refused);
    // The window's size, place and maximised state, kept in the settings and fitted to the screen.
    void restorePlacement();
    void storePlacement();

    Toolkit& toolkit_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<FileGuard> fileGuard_;
    std::unique_ptr<ReportCommand> reportCommand_;
    UiTexts texts_;
    bool UiLanguage = true;
    QString LastAnswer;
    LeaveOutAsker leaveOutAsker_;
    std::unique_ptr<RecentFiles> recent_;
    QtOwnTexts qtTexts_;
    bool newFileShown_ = false;
    bool closeConfirmed_ = false;
    bool iconRequested_ = false;
    int shownTab_ = 0;

    QHash<QString, QObject*> controls_;
    QTabWidget* STab = nullptr;
    QMenu* mRecent = nullptr;
    QLabel* statusPanel_ = nullptr;
    FindBar* findBar_ = nullptr;
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
