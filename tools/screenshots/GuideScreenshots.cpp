// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideScreenshots.h"

#include "GuideImage.h"
#include "GuidePrompts.h"
#include "administration/ListTables.h"
#include "app/AvekProgram.h"
#include "app/Winmain.h"
#include "cdaudio/NullSink.h"
#include "pages/Calibdlg.h"
#include "pages/Page1.h"
#include "pages/Page2.h"
#include "pages/Page3.h"
#include "pages/Page4.h"
#include "pages/Viewgrph.h"
#include "controls/LimitedMemo.h"
#include "record/Conditions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// The program's own disc-image player plays every sentence from the
// demonstration image, through the silent sink the tests use, on a clock this
// many times faster than real time: two whole runs of 80 sentences then take
// seconds instead of minutes, and nothing is heard while the pictures are made.
constexpr double PlayerSpeed = 100.0;
constexpr int PlayTimeoutMs = 30000;
constexpr int ToolTimeoutMs = 120000;

// The two blocks the made-up client is tested in: MDB 2, then MDB 3.
constexpr int FirstMdb = 1;
constexpr int SecondMdb = 2;

struct TWalkFailure
{
    QString Message;
};

[[noreturn]] void Fail(const QString &message)
{
    throw TWalkFailure{message};
}

void Require(bool condition, const QString &what)
{
    if (!condition)
        Fail(what);
}

// How the made-up client hears: the share of key words repeated correctly,
// in percent, for H-Sens and L-Sens at 15, 10, 5 and 0 dB SNR; a few more
// words than that are half right. Each WRAU curve then crosses 50, so both
// blocks have SNR-50 estimates.
constexpr int CorrectPercent[2][4] = {{98, 84, 58, 26}, {92, 68, 40, 14}};
constexpr int HalfPercent = 6;

// The same marks on every run and every machine: a fixed hash of where the
// word is, not a random generator whose sequence a library may change.
TWordMark MadeUpMark(int mdb, int listSlot, int sentence, int word)
{
    quint32 h = quint32(mdb + 1) * 73856093u ^ quint32(listSlot + 1) * 19349663u ^
                quint32(sentence + 1) * 83492791u ^ quint32(word + 1) * 2654435761u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    const int r = int(h % 100);
    const int condition = Conditions::ConditionOfSlot(listSlot);
    // The second block a little worse, so that its curves stand apart.
    const int correct = CorrectPercent[int(Conditions::TalkerOf(condition))][Conditions::RowOf(condition)] - (mdb == SecondMdb ? 5 : 0);
    if (r < correct)
        return TWordMark::Correct;
    if (r < correct + HalfPercent)
        return TWordMark::HalfCorrect;
    return TWordMark::Wrong;
}

QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    if (!tool.waitForFinished(ToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QStringLiteral("%1 %2 failed: %3")
            .arg(program, arguments.join(u' '), QString::fromLocal8Bit(tool.readAll()).trimmed());
    return QString();
}

} // namespace

const QStringList &TGuideScreenshots::ImageNames()
{
    static const QStringList names = {
        QStringLiteral("client.png"),         QStringLiteral("conditions.png"), QStringLiteral("calibrate.png"),
        QStringLiteral("test.png"),           QStringLiteral("scores.png"),     QStringLiteral("graphs.png"),
        QStringLiteral("printed-report.png"), QStringLiteral("printed-graphs.png"),
    };
    return names;
}

TGuideScreenshots::TGuideScreenshots(const QString &demoFolder, const QString &imageFolder, const QString &avektool)
    : m_demoFolder(QDir(demoFolder).absolutePath()), m_imageFolder(QDir(imageFolder).absolutePath()),
      m_avektool(avektool)
{
}

TGuideScreenshots::~TGuideScreenshots() = default;

TStatus TGuideScreenshots::Run()
{
    const QString previousFolder = QDir::currentPath();
    try {
        Require(QDir().mkpath(m_imageFolder), QStringLiteral("Cannot make the folder \"%1\".").arg(m_imageFolder));
        MakeDemoSetIfMissing();
        // Kept beside the set, so that the scored client can be loaded into
        // the program or printed again; an earlier walk's file goes first.
        m_clientFile = QDir(m_demoFolder).filePath(QStringLiteral("SAMPLE.VEK"));
        Require(!QFile::exists(m_clientFile) || QFile::remove(m_clientFile),
                QStringLiteral("Cannot replace \"%1\".").arg(m_clientFile));

        // The program finds VEKPSGS.DAT and VEK.INI in the folder it starts in.
        Require(QDir::setCurrent(m_demoFolder), QStringLiteral("Cannot change to \"%1\".").arg(m_demoFolder));
        // The players play through the silent sink, faster than real time.
        m_program = std::make_unique<TAvekProgram>(m_prompts, [](QString &) -> std::unique_ptr<IAudioSink> {
            return std::make_unique<TNullSink>(PlayerSpeed);
        });
        Require(m_program->Material().Status().ok(), m_program->Material().Status().message());
        m_prompts.SaveAsFileName = m_clientFile;
        m_program->MainWindow().show();
        m_program->MainWindow().activateWindow();
        Settle();

        FillClientPage();
        Shoot(QStringLiteral("client.png"));
        m_program->Pages().fmClientInfo->NextButton->click();
        Settle();

        ChooseConditions(FirstMdb, QStringLiteral("Made-up client for the user guide. Demonstration material, "
                                                  "not a clinical test."));
        Shoot(QStringLiteral("conditions.png"));
        m_program->Pages().fmPage2->Button2->click();
        Settle();

        CalibrateAndSave();
        Shoot(QStringLiteral("calibrate.png"));
        m_program->Pages().fmCalibDialog->NextButton->click();
        Settle();

        StartTest();
        MarkScriptedSentences();
        Shoot(QStringLiteral("test.png"));
        FinishRun(FirstMdb);

        // The second block, from the scores page back to the conditions.
        m_program->Pages().fmVEKTest->NextPageButton->click();
        Settle();
        m_program->Pages().fmScoresPrint->BackButton->click();
        Settle();
        ChooseConditions(SecondMdb, QStringLiteral("Second block of the made-up client."));
        m_program->Pages().fmPage2->Button2->click();
        Settle();
        Require(m_program->Pages().fmCalibDialog->isVisible(), QStringLiteral("The calibration page is not shown."));
        m_program->Pages().fmCalibDialog->NextButton->click();
        Settle();
        StartTest();
        FinishRun(SecondMdb);

        m_program->Pages().fmVEKTest->NextPageButton->click();
        Settle();
        Require(m_program->Pages().fmScoresPrint->isVisible(), QStringLiteral("The scores page is not shown."));
        Shoot(QStringLiteral("scores.png"));
        m_program->Pages().fmScoresPrint->ViewWRAUButton->click();
        Settle();
        Require(m_program->Pages().fmViewGraph->isVisible(), QStringLiteral("The graph page is not shown."));
        Shoot(QStringLiteral("graphs.png"));
        Require(!m_program->State().ModifiedFlag, QStringLiteral("The scored client was not saved to its file."));

        m_program.reset();
        QDir::setCurrent(previousFolder);
        PrintReport();
    } catch (const TWalkFailure &failure) {
        m_program.reset();
        QDir::setCurrent(previousFolder);
        return TStatus::Error(failure.Message);
    }
    return TStatus::Ok();
}

void TGuideScreenshots::MakeDemoSetIfMissing()
{
    if (QFile::exists(QDir(m_demoFolder).filePath(QStringLiteral("VEK.INI"))))
        return;
    const QString failure = RunTool(m_avektool, {QStringLiteral("make-demo"), m_demoFolder});
    Require(failure.isEmpty(), failure);
}

void TGuideScreenshots::FillClientPage()
{
    TfmClientInfo *page = m_program->Pages().fmClientInfo;
    Require(page->isVisible(), QStringLiteral("The client page is not shown at start-up."));
    // Typed as a clinician types them; the test date replaces today's, so
    // that the picture is the same on any day.
    const std::pair<QLineEdit *, QString> fields[] = {
        {page->EditLastName, QStringLiteral("Sample")},   {page->EditFirstName, QStringLiteral("Alex")},
        {page->EditMI, QStringLiteral("J")},              {page->EditID, QStringLiteral("D-0001")},
        {page->EditTestDate, QStringLiteral("2024-05-17")}, {page->EditDOB, QStringLiteral("1958-03-08")},
        {page->EditClinician, QStringLiteral("R. Rivera")},
    };
    for (const auto &[edit, text] : fields) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    page->Memo1->setFocus();
    QTest::keyClicks(page->Memo1, QStringLiteral("Made-up client for the user guide. Hearing aids in both ears "
                                                 "for six years; tested unaided in the sound field."));
    page->EditLastName->setFocus();
    Settle();
}

void TGuideScreenshots::ChooseConditions(int mdb, const QString &comments)
{
    TfmPage2 *page = m_program->Pages().fmPage2;
    Require(page->isVisible(), QStringLiteral("The conditions page is not shown."));
    page->ChooseSession[mdb]->click();
    Require(m_program->Record().CurrentMdb() == mdb, QStringLiteral("MDB %1 could not be chosen.").arg(mdb + 1));
    // All eight conditions, without the practice lists.
    for (QCheckBox *box : page->ConditionBoxes) {
        if (!box->isChecked())
            box->click();
    }
    if (page->CheckPracticeBlock->isChecked())
        page->CheckPracticeBlock->click();
    page->SessionCommentsMemos[mdb]->setFocus();
    QTest::keyClicks(page->SessionCommentsMemos[mdb], comments);
    page->Button2->setFocus();
    Settle();
}

void TGuideScreenshots::CalibrateAndSave()
{
    TfmCalibDialog *page = m_program->Pages().fmCalibDialog;
    Require(page->isVisible(), QStringLiteral("The calibration page is not shown."));
    // File > Save: from now on each scored list goes to the file at once.
    Require(m_program->MainWindow().SaveFile(false), QStringLiteral("The client file could not be saved."));
    page->Button1->click();
    Require(page->CalibrationPlaying(), QStringLiteral("The calibration track does not play."));
    Settle();
}

void TGuideScreenshots::StartTest()
{
    TfmVEKTest *page = m_program->Pages().fmVEKTest;
    Settle();
    CheckPrompts("starting the test");
    Require(page->isVisible(), QStringLiteral("The test page is not shown."));
    Require(page->PageCount() == ConditionCount, QStringLiteral("The run has %1 lists, not %2.")
                                                     .arg(page->PageCount())
                                                     .arg(ConditionCount));
    Require(page->PlayButton->isEnabled(), QStringLiteral("The test page cannot play."));
}

void TGuideScreenshots::PlayCurrentSentence()
{
    TfmVEKTest *page = m_program->Pages().fmVEKTest;
    const int sentence = page->CurrentSentence();
    Key(Qt::Key_P);
    // The page gives its buttons back when the player reports the end.
    const bool ended = QTest::qWaitFor(
        [&] { return page->PlayButton->isEnabled() || !m_prompts.Unexpected.isEmpty(); }, PlayTimeoutMs);
    CheckPrompts("playing a sentence");
    Require(ended, QStringLiteral("Sentence %1 of list %2 did not finish playing.")
                       .arg(sentence + 1)
                       .arg(page->CurrentPage()));
    Require(page->DoneButton->isEnabled(), QStringLiteral("The played sentence cannot be passed."));
}

void TGuideScreenshots::MarkScriptedSentences()
{
    // The first three sentences of the first list as the picture shows them:
    // marked by keys while the clinician listens, the third still being
    // marked, the rest not played yet (black).
    using M = TWordMark;
    const TSentenceMarks scripted[] = {
        {M::Correct, M::HalfCorrect, M::Correct, M::Wrong, M::Correct},
        {M::Correct, M::Correct, M::Correct, M::Correct, M::HalfCorrect},
        {M::Correct, M::Correct, M::Wrong, M::Wrong, M::Wrong},
    };
    TfmVEKTest *page = m_program->Pages().fmVEKTest;
    for (int j = 0; j < 3; ++j) {
        PlayCurrentSentence();
        for (int k = 0; k < TfmVEKTest::KeyWordCount; ++k) {
            MarkByKey(k, scripted[j][k]);
            Require(page->Mark(j, k) == scripted[j][k], QStringLiteral("A key did not mark its word."));
        }
        if (j < 2)
            Key(Qt::Key_N);
    }
    Settle();
}

void TGuideScreenshots::FinishRun(int mdb)
{
    TfmVEKTest *page = m_program->Pages().fmVEKTest;
    for (;;) {
        // All eight conditions without practice: list p is condition p - 1.
        const int slot = TestListTable[mdb][page->CurrentPage() - 1].ListSlot;
        const int sentence = page->CurrentSentence();
        // The sentence in hand may have been played already (the scripted ones).
        if (!page->DoneButton->isEnabled())
            PlayCurrentSentence();
        // Played words are wrong until marked; the scripted sentence still
        // being marked in the picture is finished here too.
        for (int k = 0; k < TfmVEKTest::KeyWordCount; ++k) {
            if (page->Mark(sentence, k) == TWordMark::Wrong)
                MarkByKey(k, MadeUpMark(mdb, slot, sentence, k));
        }
        const bool last = page->CurrentPage() == page->PageCount() && sentence + 1 == page->SentenceCount();
        Key(Qt::Key_N);
        Settle();
        CheckPrompts("passing a sentence");
        if (last)
            break;
    }
    Require(page->NextPageButton->isEnabled(), QStringLiteral("The run did not end with its last sentence."));
}

// A played word is wrong until marked: 1 to 5 mark it correct, Shift+1 to 5
// (a right click) half correct.
void TGuideScreenshots::MarkByKey(int word, TWordMark mark)
{
    if (mark == TWordMark::Correct)
        Key(Qt::Key_1 + word);
    else if (mark == TWordMark::HalfCorrect)
        Key(Qt::Key_1 + word, Qt::ShiftModifier);
}

void TGuideScreenshots::Key(int key, Qt::KeyboardModifiers modifiers)
{
    // As the clinician presses it: the focus is wherever the page left it.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &m_program->MainWindow();
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

void TGuideScreenshots::Settle()
{
    // Posted window messages, then the paints they cause.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void TGuideScreenshots::CheckPrompts(const char *step)
{
    QStringList &unexpected = m_prompts.Unexpected;
    if (!unexpected.isEmpty())
        Fail(QStringLiteral("The program said, while %1: %2").arg(QLatin1String(step), unexpected.join(u' ')));
}

void TGuideScreenshots::Shoot(const QString &name)
{
    Settle();
    CheckPrompts("taking a picture");
    const TStatus status =
        SaveGuideImage(m_program->MainWindow().grab().toImage(), QDir(m_imageFolder).filePath(name));
    Require(status.ok(), status.message());
}

void TGuideScreenshots::PrintReport()
{
    QTemporaryDir scratch;
    Require(scratch.isValid(), QStringLiteral("Cannot make a temporary folder for the report."));
    const QString pdf = scratch.filePath(QStringLiteral("report.pdf"));
    QString failure = RunTool(m_avektool, {QStringLiteral("report"), m_clientFile, pdf});
    Require(failure.isEmpty(), failure);

    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    Require(!pdftoppm.isEmpty(), QStringLiteral("pdftoppm (poppler-utils) is not installed."));
    const QString pages[] = {QStringLiteral("printed-report"), QStringLiteral("printed-graphs")};
    for (int p = 0; p < 2; ++p) {
        const QString page = QString::number(p + 1);
        const QString prefix = scratch.filePath(pages[p]);
        failure = RunTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                                     QStringLiteral("-f"), page, QStringLiteral("-l"), page,
                                     QStringLiteral("-singlefile"), pdf, prefix});
        Require(failure.isEmpty(), failure);
        const QImage image(prefix + QStringLiteral(".png"));
        Require(!image.isNull(), QStringLiteral("pdftoppm wrote no image of page %1.").arg(page));
        const TStatus status = SaveGuideImage(image, QDir(m_imageFolder).filePath(pages[p] + QStringLiteral(".png")));
        Require(status.ok(), status.message());
    }
}
