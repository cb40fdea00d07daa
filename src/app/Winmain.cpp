// SPDX-License-Identifier: GPL-3.0-or-later
#include "Winmain.h"
#include "drawing/Fonts.h"

#include "About.h"
#include "HelpViewer.h"
#include "administration/ScoreCheck.h"
#include "administration/InterruptedRun.h"
#include "administration/RunJournalFile.h"
#include "administration/Snr50.h"
#include "pages/Calibdlg.h"
#include "pages/Page1.h"
#include "pages/Page2.h"
#include "pages/Page3.h"
#include "pages/Page4.h"
#include "pages/Viewgrph.h"
#include "pages/WindowMessages.h"
#include "record/ClientFileReader.h"
#include "pages/ClientFileSave.h"
#include "record/IniFile.h"
#include "record/RecoveryFile.h"
#include "record/Settings.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include <utility>

namespace {

const QString UnsavedChangesQuestion =
    QStringLiteral("You have unsaved changes in the current file.  Would you like to save before continuing?");

struct TPageButtonText
{
    const char *Text;
    const char *Hint;
    int HelpContext;
};

constexpr TPageButtonText PageButtons[PageCount] = {
    {"Client", "Edit Client Information", TfmClientInfo::HelpContext},
    {"Conditions", "Select test conditions", TfmPage2::HelpContext},
    {"Calibrate", "Calibrate with VEK CD", 0},
    {"Test", "Run VEK test", 0},
    {"Scores", "Display and/or print VEK scores", TfmScoresPrint::HelpContext},
    {"Graphs", "View WRAU graphs", TfmViewGraph::HelpContext},
};

// A drag that carries exactly one local file, as a file manager's does.
QString DraggedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

} // namespace

TfmWinMain::TfmWinMain(TClientRecord &record, TAppState &state, IPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_record(record), m_state(state), m_prompts(prompts)
{
    // The start-up folder holds the settings and the sentence material.
    m_state.IniDirectory = Settings::WithTrailingSlash(QDir::currentPath());
    WindowPanel = new QWidget(this);
    setCentralWidget(WindowPanel);
    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    m_help = new THelpViewer(this);
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &TfmWinMain::ShowHelpForCurrentPage);
    setFixedSize(640, 452);
    // A window of fixed size offers no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager &manager) {
            const bool interactive = manager.allowsInteraction();
            const bool mayEnd = CommitData(interactive);
            if (interactive)
                manager.release();
            if (!mayEnd)
                manager.cancel();
        },
        Qt::DirectConnection);
    // A client file dropped anywhere on the window, its text boxes included,
    // is loaded rather than pasted as text into the box under the mouse.
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    m_keepTimer.setSingleShot(true);
    m_keepTimer.setInterval(KeepWorkAfterMs);
    connect(&m_keepTimer, &QTimer::timeout, this, &TfmWinMain::KeepWorkNow);
}

TfmWinMain::~TfmWinMain() = default;

void TfmWinMain::CreateMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), this, &TfmWinMain::NewFile);
    file->addAction(QStringLiteral("&Load"), QKeySequence(Qt::CTRL | Qt::Key_O), this, [this] { LoadFile(); });
    file->addAction(QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { SaveFile(false); });
    file->addAction(QStringLiteral("Save &As.."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                    [this] { SaveFile(true); });
    file->addSeparator();
    file->addAction(QStringLiteral("Sound &Output..."), this, &TfmWinMain::SoundOutputRequested);
    file->addSeparator();
    m_recentClientsMenu = file->addMenu(QStringLiteral("&Recent clients"));
    connect(m_recentClientsMenu, &QMenu::aboutToShow, this, &TfmWinMain::UpdateRecentClientsMenu);
    UpdateRecentClientsMenu();
    file->addSeparator();
    QAction *exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Contents"), this, [this] { m_help->ShowContents(); });
    help->addAction(QStringLiteral("&Using Help"), this, [this] { m_help->ShowUsingHelp(); });
    help->addSeparator();
    help->addAction(QStringLiteral("&About"), this, &TfmWinMain::About1Click);
}

void TfmWinMain::CreateToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFixedHeight(33);
    bar->setIconSize(QSize(18, 18));
    const auto addFileButton = [&](QStyle::StandardPixmap icon, const char *hint, auto slot) {
        // The hint is also the button's name for a screen reader.
        QAction *action = bar->addAction(style()->standardIcon(icon), QLatin1String(hint), this, slot);
        action->setToolTip(QLatin1String(hint));
    };
    addFileButton(QStyle::SP_FileIcon, "Create a new file", &TfmWinMain::NewFile);
    addFileButton(QStyle::SP_DialogOpenButton, "Load an existing file", [this] { LoadFile(); });
    addFileButton(QStyle::SP_DialogSaveButton, "Save the current file", [this] { SaveFile(false); });
    bar->addSeparator();

    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    for (int p = 0; p < PageCount; ++p) {
        QAction *button = bar->addAction(QLatin1String(PageButtons[p].Text));
        button->setCheckable(true);
        // Down from the start, before any page is there to show.
        button->setChecked(p == ClientInfoPage);
        button->setToolTip(QLatin1String(PageButtons[p].Hint));
        // Ctrl+1 .. Ctrl+6 reach the pages without a mouse; a disabled
        // button's key does nothing, as the button does.
        button->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + p)));
        group->addAction(button);
        // Checked by a click, its key or an assistive tool's Toggle alike.
        connect(button, &QAction::toggled, this, [this, p](bool checked) {
            if (checked)
                ShowPage(TPageIndex(p));
        });
        m_pageButtons[p] = button;
    }
}

void TfmWinMain::CreateStatusBar()
{
    constexpr int Widths[] = {400, 50};
    QFont font(FormFontFace);
    font.setPixelSize(11);
    statusBar()->setFont(font);
    for (int i = 0; i < 2; ++i) {
        m_statusPanels[i] = new QLabel(this);
        m_statusPanels[i]->setFixedWidth(Widths[i]);
        m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(m_statusPanels[i]);
    }
    statusBar()->setSizeGripEnabled(false);
}

void TfmWinMain::AttachPages(const TProgramPages &pages)
{
    m_typedPages = pages;
    m_pages = {pages.fmClientInfo, pages.fmPage2,       pages.fmCalibDialog,
               pages.fmVEKTest,    pages.fmScoresPrint, pages.fmViewGraph};
    for (int p = 0; p < PageCount; ++p) {
        m_pages[p]->hide();
        // What a screen reader calls the page: its tool-bar button's text.
        m_pages[p]->setAccessibleName(QLatin1String(PageButtons[p].Text));
    }
    connect(pages.fmVEKTest, &TfmVEKTest::PageButtonsReleased, this,
            [this](bool graphButtonToo) { SetPageButtonsEnabled(true, graphButtonToo); });
    connect(pages.fmVEKTest, &TfmVEKTest::PageButtonsHeld, this, [this] { SetPageButtonsEnabled(false); });
}

void TfmWinMain::PlaceCentred()
{
    const QRect screen = this->screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = screen.x() + screen.width() / 2 - frame.width() / 2;
    const int y = screen.height() > 480 ? screen.y() + screen.height() / 2 - frame.height() / 2 : screen.y();
    move(x, y);
}

void TfmWinMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        PlaceCentred();
        FormShow();
    }
}

void TfmWinMain::FormShow()
{
    ReadSettings();
    CaptionBase = QStringLiteral("AVEK beta");
    m_record.InitNewRecord(m_state.ProposeMdb());
    UpdateCaption();
    m_state.ModifiedFlag = false;
    m_statusPanels[0]->clear();
    SetModifiedText(QString());
    ShowClientInfoAfterFileCommand();
}

void TfmWinMain::AskStartUpQuestions()
{
    if (!m_settingsProblem.isEmpty())
        m_prompts.ShowError(std::exchange(m_settingsProblem, QString()) +
                            QStringLiteral(" Its settings are not used, and it is left as it is."));
    OfferKeptWork();
    // Told at every start until the next run begins: the client has heard
    // sentences that no score shows.
    if (const std::optional<RunJournal::TInterrupted> run = RunJournalFile::Read().Run)
        m_prompts.ShowMessage(InterruptedRunText(*run) +
                              QStringLiteral(" The client has heard the sentences of that list up to there; its "
                                             "score is not kept (the lists before it are)."));
    // Not before: the work kept by the last run would be replaced by what
    // was typed while its question was still to come.
    m_keeping = true;
    if (m_state.ModifiedFlag)
        KeepWorkSoon();
}

void TfmWinMain::OfferKeptWork()
{
    std::optional<RecoveryFile::TRecovered> kept = RecoveryFile::Read();
    if (!kept)
        return;
    const QString client = kept->FileStamp.Path.isEmpty() ? QStringLiteral("an untitled client")
                                                          : QFileInfo(kept->FileStamp.Path).fileName();
    const QString from = QStringLiteral("%1 (%2)").arg(client, QLocale().toString(kept->Kept, QLocale::ShortFormat));
    if (!m_prompts.AskYesNo(QStringLiteral("Unsaved work from %1 was kept. Restore it?").arg(from))) {
        RecoveryFile::Remove();
        return;
    }
    // Kept until it is saved: ended once more before that, it is still there.
    m_record = kept->Record;
    SetFileName(kept->FileStamp.Path);
    m_state.FileStamp = kept->FileStamp;
    if (!m_state.FileName.isEmpty())
        LockFile(m_state.FileName, false);
    LoadPagesFromRecord();
    UpdateCaption();
    SetModified(true);
}

void TfmWinMain::closeEvent(QCloseEvent *event)
{
    if (!UnsavedChangesAllowContinuing()) {
        event->ignore();
        return;
    }
    WriteSettings();
    // Ended on purpose: what was not saved was not to be kept.
    m_keepTimer.stop();
    m_keeping = false;
    RecoveryFile::Remove();
    m_lock.Release();
    event->accept();
}

bool TfmWinMain::CommitData(bool allowsInteraction)
{
    if (!m_state.ModifiedFlag)
        return true;
    if (allowsInteraction)
        return UnsavedChangesAllowContinuing();
    KeepUnsavedWork();
    return true;
}

void TfmWinMain::KeepUnsavedWork()
{
    KeepWorkNow();
    WriteSettings(false);
    m_lock.Release();
}

void TfmWinMain::KeepWorkSoon()
{
    if (m_keeping && !m_keepTimer.isActive())
        m_keepTimer.start();
}

void TfmWinMain::KeepWorkNow()
{
    m_keepTimer.stop();
    if (!m_keeping || !m_state.ModifiedFlag)
        return;
    StoreVisiblePages();
    const QByteArray image = m_record.Image().toByteArray() + m_state.FileName.toUtf8();
    if (image == m_keptImage)
        return;
    if (const TStatus kept = RecoveryFile::Write(m_record, m_state); !kept) {
        qCritical("%s", qPrintable(kept.message()));
        // Once: the same failure every second would stand in the way of the
        // saving it asks for.
        if (!std::exchange(m_toldKeepFailure, true))
            m_prompts.ShowError(kept.message() + QStringLiteral(". Unsaved work cannot be kept against a crash "
                                                                "or a power cut; save the client to keep it."));
        return;
    }
    m_keptImage = image;
}

void TfmWinMain::SetModified(bool modified)
{
    m_state.ModifiedFlag = modified;
    SetModifiedText(modified ? QStringLiteral(" Modified") : QString());
    if (modified) {
        KeepWorkSoon();
        return;
    }
    DropKeptWork();
}

void TfmWinMain::DropKeptWork()
{
    m_keepTimer.stop();
    m_keptImage.clear();
    RecoveryFile::Remove();
}

bool TfmWinMain::LockFile(const QString &fileName, bool ask)
{
    TLockOwner owner;
    if (m_lock.Acquire(fileName, owner))
        return true;
    // Declined, the file open so far stays open and locked.
    if (!ask) {
        m_lock.Release();
        return true;
    }
    const QString who = owner.User.isEmpty() ? QStringLiteral("another program") : owner.Description();
    if (!m_prompts.AskYesNo(QStringLiteral("%1 is open in another copy of AVEK by %2. If that copy has ended (its "
                                           "computer was switched off or crashed), you can take the file over; if "
                                           "you both save it, one of you will be asked before the other's work is "
                                           "replaced. Take it over and open it?")
                                .arg(QFileInfo(fileName).fileName(), who)))
        return false;
    if (!m_lock.TakeOver(fileName, owner))
        m_lock.Release();
    return true;
}

bool TfmWinMain::event(QEvent *event)
{
    switch (int(event->type())) {
    case WM_FILEMODIFIED:
        SetModified(true);
        return true;
    case WM_SHOWCLIENTINFO:
        ShowPage(ClientInfoPage);
        return true;
    case WM_SHOWCONDITIONS:
        ShowPage(ConditionsPage, true);
        return true;
    case WM_SHOWCALIBRATION:
        ShowPage(CalibrationPage);
        return true;
    case WM_RUNTEST:
        ShowPage(TestPage);
        return true;
    case WM_SHOWSCORES:
        ShowPage(ScoresPage);
        return true;
    case WM_SHOWGRAPH:
        ShowPage(GraphPage);
        return true;
    case WM_FILESAVED:
        // The page cleared the flag as it saved.
        SetModifiedText(QString());
        DropKeptWork();
        return true;
    case WM_SAVEFILE:
        SaveFile(false);
        return true;
    default:
        return QMainWindow::event(event);
    }
}

void TfmWinMain::SetPageButtonsEnabled(bool enabled, bool graphButtonToo)
{
    for (int p = 0; p < PageCount; ++p) {
        if (p != TestPage && (p != GraphPage || graphButtonToo))
            m_pageButtons[p]->setEnabled(enabled);
    }
}

void TfmWinMain::ShowPage(TPageIndex target, bool byShowConditionsMessage)
{
    if (target == ConditionsPage && byShowConditionsMessage)
        SetPageButtonsEnabled(true);
    QWidget *page = m_pages[target];
    if (m_pageButtons[target]->isChecked() && page->isVisible()) {
        return;
    }
    // While a test runs, its page is the only way out.
    if (target == TestPage)
        SetPageButtonsEnabled(false);
    for (int p = 0; p < PageCount; ++p) {
        if (p != target && m_pages[p]->isVisible())
            m_pages[p]->hide();
    }
    page->setGeometry(WindowPanel->rect());
    page->show();
    m_pageButtons[target]->setChecked(true);
}

void TfmWinMain::HidePages(TPageIndex first)
{
    for (int p = first; p < PageCount; ++p) {
        if (m_pages[p]->isVisible())
            m_pages[p]->hide();
    }
}

void TfmWinMain::LoadPagesFromRecord()
{
    m_typedPages.fmClientInfo->LoadFromRecord();
    m_typedPages.fmPage2->LoadFromRecord();
    m_typedPages.fmCalibDialog->LoadFromRecord();
}

void TfmWinMain::StoreVisiblePages()
{
    if (m_typedPages.fmClientInfo->isVisible())
        m_typedPages.fmClientInfo->StoreToRecord();
    if (m_typedPages.fmPage2->isVisible())
        m_typedPages.fmPage2->StoreToRecord();
    if (m_typedPages.fmCalibDialog->isVisible())
        m_typedPages.fmCalibDialog->StoreToRecord();
}

void TfmWinMain::ShowClientInfoAfterFileCommand()
{
    QWidget *page = m_pages[ClientInfoPage];
    page->setGeometry(WindowPanel->rect());
    if (page->isVisible())
        m_typedPages.fmClientInfo->LoadFromRecord();
    else
        page->show();
    m_pageButtons[ClientInfoPage]->setChecked(true);
    // A new client's name goes into its box, not the one used last.
    m_typedPages.fmClientInfo->EditLastName->setFocus();
}

void TfmWinMain::SetFileName(const QString &fileName)
{
    m_state.FileName = fileName;
    m_state.ShortFileName = fileName.isEmpty() ? QString() : QFileInfo(fileName).fileName();
    if (fileName.isEmpty())
        return;
    m_state.DataPath = Settings::WithTrailingSlash(QFileInfo(fileName).absolutePath());
    // Such a name would break VEK.INI into lines of its own: the settings keep
    // the folder they had, and the user hears it once.
    if (!TIniFile::CanHold(m_state.DataPath) && !m_toldUnkeptFolder) {
        m_toldUnkeptFolder = true;
        m_prompts.ShowError(QStringLiteral("The folder %1 cannot be remembered for the next start: its name holds a "
                                           "line break. AVEK will open in the folder it remembered before.")
                                .arg(QDir::toNativeSeparators(QFileInfo(fileName).absolutePath())));
    }
}

void TfmWinMain::UpdateCaption()
{
    setWindowTitle(m_state.FileName.isEmpty() ? CaptionBase
                                              : CaptionBase + QStringLiteral(" - ") + m_state.ShortFileName.toUpper());
}

void TfmWinMain::SetModifiedText(const QString &text)
{
    m_statusPanels[1]->setText(text);
}

QString TfmWinMain::ModifiedText() const
{
    return m_statusPanels[1]->text();
}

bool TfmWinMain::UnsavedChangesAllowContinuing()
{
    if (!m_state.ModifiedFlag)
        return true;
    switch (m_prompts.AskYesNoCancel(UnsavedChangesQuestion)) {
    case TAnswer::Yes:
        // Asked to save: if that does not happen, the unsaved data must stay.
        return SaveFile(false);
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

void TfmWinMain::NewFile()
{
    if (!UnsavedChangesAllowContinuing())
        return;
    m_lock.Release();
    m_state.FileStamp = TFileStamp();
    SetFileName(QString());
    UpdateCaption();
    HidePages(ConditionsPage);
    m_record.InitNewRecord(m_state.ProposeMdb());
    SetModified(false);
    LoadPagesFromRecord();
    ShowClientInfoAfterFileCommand();
}

void TfmWinMain::LoadFile()
{
    if (!UnsavedChangesAllowContinuing())
        return;
    const QString fileName = m_prompts.ChooseFileToOpen(QStringLiteral("Load a file"), m_state.DataPath);
    if (fileName.isEmpty())
        return;
    ReadFileIntoRecord(fileName);
}

void TfmWinMain::LoadFile(const QString &fileName)
{
    if (UnsavedChangesAllowContinuing())
        ReadFileIntoRecord(fileName);
}

bool TfmWinMain::ReadFileIntoRecord(const QString &fileName)
{
    // Read first: a file that cannot be loaded changes nothing at all.
    TClientRecord loaded;
    TFileStamp stamp;
    if (const TStatus status = ReadClientFile(fileName, loaded, &stamp); !status) {
        m_prompts.ShowError(status.message());
        return false;
    }
    if (!LockFile(fileName, true))
        return false;
    m_state.FileStamp = stamp;
    SetFileName(fileName);
    HidePages(ConditionsPage);
    m_record = loaded;
    LoadPagesFromRecord();
    RecomputeSnr50(m_record);
    ShowClientInfoAfterFileCommand();
    UpdateCaption();
    SetModified(false);
    if (const QString impossible = ScoreCheck::ImpossibleScores(m_record); !impossible.isEmpty())
        m_prompts.ShowError(QStringLiteral("%1 holds scores no list can give, in %2. They are shown as \"%3\" and "
                                           "left out of the graphs; the file is left as it is.")
                                .arg(m_state.ShortFileName, impossible, ScoreCheck::ImpossibleScoreText));
    m_recentClients.Add(fileName);
    UpdateRecentClientsMenu();
    return true;
}

bool TfmWinMain::SaveFile(bool saveAs)
{
    const TAppState before = m_state;
    if (m_state.FileName.isEmpty() || saveAs) {
        // The name as it is spelt on disk, not as the caption shows it: where
        // case counts, the upper-case name would be another file.
        const QString fileName = m_prompts.ChooseFileToSave(QStringLiteral("Save this file as..."), m_state.DataPath,
                                                            m_state.ShortFileName);
        if (fileName.isEmpty())
            return false;
        SetFileName(fileName);
    }
    StoreVisiblePages();
    const TSaveOutcome outcome = SaveClientFile(m_record, m_state, m_prompts);
    if (outcome != TSaveOutcome::Saved) {
        // The client stays with the file it had: a later Save must not go to
        // the name that was not written.
        m_state.FileName = before.FileName;
        m_state.ShortFileName = before.ShortFileName;
        m_state.DataPath = before.DataPath;
        return outcome == TSaveOutcome::SaveAsChosen && SaveFile(true);
    }
    if (m_state.FileName != before.FileName)
        LockFile(m_state.FileName, false);
    UpdateCaption();
    SetModified(false);
    m_recentClients.Add(m_state.FileName);
    UpdateRecentClientsMenu();
    return true;
}

void TfmWinMain::ReadSettings()
{
    // Told with the other start-up questions, once the window can be seen.
    m_state.DataPath = Settings::ReadDataPath(m_state.IniDirectory, &m_settingsProblem);
}

void TfmWinMain::WriteSettings(bool canAsk)
{
    // The settings only remember a folder; not being able to keep it is no
    // reason to stop the program from closing, but the user is told (a
    // folder VEK.INI cannot hold was told when it was chosen).
    QString problem;
    if (!TIniFile::CanHold(m_state.DataPath) || Settings::WriteDataPath(m_state.IniDirectory, m_state.DataPath, &problem))
        return;
    problem += QStringLiteral(" The folder of the last client file is not remembered for the next start.");
    if (canAsk)
        m_prompts.ShowError(problem);
    else
        qCritical("%s", qPrintable(problem));
}

void TfmWinMain::ShowHelpForCurrentPage()
{
    for (int p = 0; p < PageCount; ++p) {
        if (m_pages[p] && m_pages[p]->isVisible()) {
            m_help->ShowTopic(PageButtons[p].HelpContext);
            return;
        }
    }
    m_help->ShowContents();
}

void TfmWinMain::About1Click()
{
    auto *about = new TfmAboutScreen(this);
    const QRect main = frameGeometry();
    about->adjustSize();
    about->move(main.left() + (main.width() - about->width()) / 2, main.top() + (main.height() - about->height()) / 2);
    about->exec();
}

void TfmWinMain::UpdateRecentClientsMenu()
{
    m_recentClientsMenu->clear();
    const QStringList files = m_recentClients.Files();
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo file(files[i]);
        // "&" in a name would make a mnemonic and vanish from the menu.
        const QString name = QStringLiteral("%1  (%2)").arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
        QAction *action = m_recentClientsMenu->addAction(QStringLiteral("&%1 ").arg(i + 1) +
                                                         QString(name).replace(u'&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [this, path = files[i]] { OpenRecentClient(path); });
    }
    m_recentClientsMenu->setEnabled(!files.isEmpty());
}

void TfmWinMain::OpenRecentClient(const QString &fileName)
{
    if (!UnsavedChangesAllowContinuing())
        return;
    // A file that has gone leaves the list; one that is there but cannot be
    // read now (a share not mounted yet) stays.
    if (!ReadFileIntoRecord(fileName) && !QFileInfo::exists(fileName)) {
        m_recentClients.Remove(fileName);
        UpdateRecentClientsMenu();
    }
}

bool TfmWinMain::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    // Only the first change of a record is posted; what is typed after it
    // is kept as well.
    if (m_state.ModifiedFlag && (type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease))
        KeepWorkSoon();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *drop = static_cast<QDropEvent *>(event);
    const QString fileName = DraggedFile(drop->mimeData());
    if (!widget || widget->window() != this || fileName.isEmpty())
        return QMainWindow::eventFilter(watched, event);
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    // The question and any error box wait until the drag has ended, so that
    // the file manager it came from is not held up by them.
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, fileName] { LoadFile(fileName); });
    return true;
}
