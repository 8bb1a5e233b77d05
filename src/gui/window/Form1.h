#pragma once

#include "Document.h"
#include "LanguageTable.h"
#include "LeaveOutAsker.h"
#include "QtOwnTexts.h"
#include "StatusLine.h"
#include "TabEditors.h"
#include "Toolkit.h"
#include "WindowControls.h"
#include "WindowEditorHost.h"

#include <QMainWindow>
#include <memory>

namespace velto {

class FileGuard;
class FileMenu;
class FindBar;
class HistoryView;
class RecordCommands;
class ReportCommand;
class VersionKeeper;

// The main window: the menus and their commands, the five tabs with their grids and editors, the status
// bar. It builds its parts, wires them to the document and asks before unsaved changes are dropped.
class Form1 final : public QMainWindow {
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
    void mVersions_Click();
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

    // Rebuilds every grid, list and the group combo from the tables.
    void RefreshAllViews();
    ConfigModel& model() { return document_->tables(); }
    Document& document() { return *document_; }
    RecordEditor& editor(int tab) const { return editors_.at(tab); }
    const QString& lastAnswer() const { return editorHost_->lastAnswer(); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Answers true when the pending command must not go ahead.
    bool AskToSaveChanges();
    void CancelAllEditors();
    void switchLanguage(bool italian);
    void showFileInTitle();

    Toolkit& toolkit_;
    std::unique_ptr<Document> document_;
    bool UiLanguage = true;
    UiTexts texts_;
    QtOwnTexts qtTexts_;
    WindowControls controls_;
    std::unique_ptr<StatusLine> status_;
    std::unique_ptr<WindowEditorHost> editorHost_;
    TabEditors editors_;
    std::unique_ptr<RecordCommands> records_;
    std::unique_ptr<FileGuard> fileGuard_;
    std::unique_ptr<VersionKeeper> versionKeeper_;
    std::unique_ptr<ReportCommand> reportCommand_;
    LeaveOutAsker leaveOutAsker_;
    FileMenu* fileMenu_ = nullptr;
    FindBar* findBar_ = nullptr;
    HistoryView* historyView_ = nullptr;
    QWidget* guide_ = nullptr; // the quick guide's window, once opened
    bool closeConfirmed_ = false;
    bool iconRequested_ = false;
    int shownTab_ = 0;
};

} // namespace velto
