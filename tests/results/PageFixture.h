// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedPrompts.h"
#include "pages/PageContext.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QImage>
#include <QLocale>

#include <vector>

// Stands in for the main window: keeps the type of every event posted to it.
class TMessageLog : public QObject
{
public:
    std::vector<int> Received;

    bool event(QEvent *event) override
    {
        Received.push_back(int(event->type()));
        return true;
    }
};

// A new client file, the context a page works with, and a main window that
// only listens.
class PageFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        record.InitNewRecord(QDate(2024, 5, 17), QLocale::c());
    }
    void TearDown() override
    {
        EXPECT_FALSE(prompts.RanOutOfScript) << "a question or dialog came that the test did not expect";
    }

    TClientRecord record;
    TAppState state;
    TScriptedPrompts prompts;
    TMessageLog mainWindow;
    TPageContext context{record, state, prompts, &mainWindow};
};

inline bool IsColour(const QImage &image, int x, int y, QColor colour)
{
    return image.pixelColor(x, y) == colour;
}

// Pixels of a rectangle for which the test holds.
template <typename Test>
int CountPixels(const QImage &image, const QRect &area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}
