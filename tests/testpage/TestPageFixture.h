// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ShellFixture.h"
#include "administration/PassageWriter.h"
#include "pages/KeyWordButton.h"
#include "pages/WindowMessages.h"

#include <QBuffer>
#include <QFile>
#include <QToolButton>
#include <QTest>

#include <initializer_list>

// The shell with the test page, and the steps a clinician takes on it.
class TestPageFixture : public ShellFixture
{
protected:
    // The conditions as the conditions page would leave them, then the page
    // shown as the calibration page's Next shows it.
    void StartRun(int mdb, std::initializer_list<int> conditions, bool practice)
    {
        record.SetCurrentMdb(mdb);
        for (const int c : conditions)
            record.Mdb(mdb).SetSelected(c, true);
        record.SetPlayPracticeBlock(practice);
        PostWindowMessage(window.get(), WM_RUNTEST);
        Settle();
    }

    // Replaces the sentences of one passage of the material the page uses.
    void UseMaterialWith(qint32 id, const TPassageSentences &sentences)
    {
        QByteArray bytes = TestMaterial();
        const qsizetype at = MaterialIds().indexOf(id) * PassageLayout::Size;
        bytes.replace(at, PassageLayout::Size, EncodePassage(id, sentences));
        UseMaterial(bytes);
    }

    void UseMaterial(const QByteArray &bytes)
    {
        QBuffer file;
        file.setData(bytes);
        file.open(QIODevice::ReadOnly);
        material.LoadPassages(file);
    }

    // Play the current sentence to its end.
    void Play()
    {
        test->PlayButton->click();
        sentencePlayer.FinishPlay();
    }

    void PlayAndMoveDown(int times)
    {
        for (int i = 0; i < times; ++i) {
            Play();
            test->DoneButton->click();
        }
    }

    void ClickWord(int sentence, int word, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(test->WordButtons[word][sentence], button);
    }

    // A key as the clinician presses it: the focus is wherever the page left it.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : test;
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    int PlayCount() const { return sentencePlayer.Calls.filter(QStringLiteral("Play ")).size(); }

    static QByteArray FileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
