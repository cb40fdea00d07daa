// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramPages.h"
#include "RecentClients.h"
#include "controls/Prompts.h"
#include "record/AppState.h"
#include "record/ClientFileLock.h"
#include "record/ClientRecord.h"

#include <QMainWindow>
#include <QTimer>

#include <array>

class QAction;
class QLabel;
class QMenu;
class THelpViewer;
class TfmCalibDialog;
class TfmClientInfo;
class TfmPage2;
class TfmScoresPrint;
class TfmViewGraph;
class TfmVEKTest;

// The pages in the order the main window hides them.
enum TPageIndex { ClientInfoPage, ConditionsPage, CalibrationPage, TestPage, ScoresPage, GraphPage, PageCount };

// The frame of the program: menu, tool bar, status bar and the page area in
// which one page is shown at a time; the file commands; the window messages
// the pages post.
class TfmWinMain : public QMainWindow
{
    Q_OBJECT

public:
    TfmWinMain(TClientRecord &record, TAppState &state, IPrompts &prompts, QWidget *parent = nullptr);
    ~TfmWinMain() override;

    // The page area; pages are created as its children.
    QWidget *WindowPanel;
    void AttachPages(const TProgramPages &pages);

    void NewFile();
    void LoadFile();
    // The same for a file named elsewhere (the command line, a drop, the
    // recent clients): the unsaved-changes question, then the read.
    void LoadFile(const QString &fileName);
    // True when the record was written.
    bool SaveFile(bool saveAs);
    void ReadSettings();
    // canAsk: a person is there to be told when the settings cannot be kept.
    void WriteSettings(bool canAsk = true);
    // What start-up has to tell or ask (a settings file it cannot use, work
    // kept from the last run), for when the clinician can see the window.
    void AskStartUpQuestions();

    // The session is ending: true when it may. With a person to ask, the
    // unsaved-changes question; without, the work is kept for the next start.
    bool CommitData(bool allowsInteraction);
    // Keeps unsaved work in the recovery file, writes the settings and
    // gives up the client file's lock, for an end with nobody to ask.
    void KeepUnsavedWork();
    // Unsaved changes are kept this long after a change at the latest, so
    // that a crash or a power cut loses no more than that.
    static constexpr int KeepWorkAfterMs = 1000;

    void ShowPage(TPageIndex page, bool byShowConditionsMessage = false);
    QWidget *Page(TPageIndex page) const { return m_pages[page]; }
    QAction *PageButton(TPageIndex page) const { return m_pageButtons[page]; }
    QString ModifiedText() const;
    THelpViewer *HelpViewer() const { return m_help; }

    QString CaptionBase;

signals:
    // File > Sound Output: the clinician wants to choose the CD's output.
    void SoundOutputRequested();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void FormShow();
    // Asks about unsaved changes; false when the command must not go on.
    bool UnsavedChangesAllowContinuing();
    // True when the file was read into the record.
    bool ReadFileIntoRecord(const QString &fileName);
    void OpenRecentClient(const QString &fileName);
    void UpdateRecentClientsMenu();
    void HidePages(TPageIndex first);
    void StoreVisiblePages();
    void LoadPagesFromRecord();
    void ShowClientInfoAfterFileCommand();
    void SetFileName(const QString &fileName);
    // Takes the lock of FileName; a file another copy has open is told about
    // and opened only if the user says so. False: leave the file alone.
    bool LockFile(const QString &fileName, bool ask);
    void OfferKeptWork();
    void UpdateCaption();
    // The flag, the status text and the kept work, together: set, the work
    // is kept soon; cleared, what was kept goes.
    void SetModified(bool modified);
    void SetModifiedText(const QString &text);
    void KeepWorkSoon();
    void KeepWorkNow();
    // The record is in its file: what was kept of it is not needed.
    void DropKeptWork();
    void SetPageButtonsEnabled(bool enabled, bool graphButtonToo = true);
    void ShowHelpForCurrentPage();
    void About1Click();
    void PlaceCentred();

    TClientRecord &m_record;
    TAppState &m_state;
    IPrompts &m_prompts;
    TProgramPages m_typedPages;
    std::array<QWidget *, PageCount> m_pages{};
    std::array<QAction *, PageCount> m_pageButtons{};
    QLabel *m_statusPanels[2]{};
    THelpViewer *m_help = nullptr;
    TRecentClients m_recentClients;
    QMenu *m_recentClientsMenu = nullptr;
    bool m_shown = false;
    QString m_settingsProblem;
    QTimer m_keepTimer;
    // What was last kept, so that an unchanged record is not written again.
    QByteArray m_keptImage;
    bool m_toldKeepFailure = false;
    // From the start-up questions to the close.
    bool m_keeping = false;
    bool m_toldUnkeptFolder = false; // a folder VEK.INI cannot hold was told once
    TClientFileLock m_lock;
};
