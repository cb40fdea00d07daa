// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFixture.h"
#include "QtPrint.h"
#include "controls/RotateLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>

#include <limits>

namespace {

const QColor Background(192, 192, 192);
const QColor Face(0, 0, 0);
const QColor Highlight(255, 255, 255);
const QColor Shadow(128, 128, 128);
const QColor GrayText(160, 0, 0);

// A label on a grey background with colours that tell the copies apart,
// drawn without smoothing so that every pixel is one of them.
class RotateLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPalette palette;
        palette.setColor(QPalette::Window, Background);
        palette.setColor(QPalette::Active, QPalette::WindowText, Face);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, GrayText);
        palette.setColor(QPalette::Active, QPalette::Light, Highlight);
        palette.setColor(QPalette::Active, QPalette::Dark, Shadow);
        palette.setColor(QPalette::Disabled, QPalette::Light, Highlight);
        palette.setColor(QPalette::Disabled, QPalette::Dark, Shadow);
        label.setPalette(palette);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(16);
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        label.SetCaption(QStringLiteral("H-Sentences"));
    }

    QImage Render() { return label.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QSize Extent(const QString &text) const
    {
        const QFontMetrics metrics(label.font());
        return {metrics.horizontalAdvance(text), metrics.height()};
    }

    // The smallest rectangle holding every pixel of the colour.
    static QRect Ink(const QImage &image, QColor colour)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == colour)
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

    static int Count(const QImage &image, QColor colour)
    {
        return CountPixels(image, image.rect(), [&](QColor c) { return c == colour; });
    }

    TRotateLabel label;
};

bool Is(const QImage &image, QPoint p, QColor colour)
{
    return image.rect().contains(p) && image.pixelColor(p) == colour;
}

} // namespace

TEST_F(RotateLabelTest, StartsRaisedAtFortyFiveDegreesInArial)
{
    TRotateLabel fresh;
    EXPECT_EQ(fresh.Escapement(), 45);
    EXPECT_EQ(fresh.TextStyle(), TRotateLabel::tsRaised);
    EXPECT_EQ(fresh.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(fresh.property("Escapement").toInt(), 45);
}

TEST_F(RotateLabelTest, EscapementIsKeptWithinOneTurn)
{
    const std::pair<int, int> cases[] = {{-90, 270}, {-360, 0},  {-361, 359}, {361, 1},
                                         {720, 360}, {360, 360}, {0, 0},      {-720, 0},
                                         {std::numeric_limits<int>::min(), 232}};
    for (const auto &[written, stored] : cases) {
        label.SetEscapement(written);
        EXPECT_EQ(label.Escapement(), stored) << written;
    }
}

TEST_F(RotateLabelTest, TurnedBoxInEachQuadrant)
{
    const QSize extent(100, 20);
    struct Case
    {
        int angle;
        QPoint origin;
        QSize size;
    };
    const Case cases[] = {
        {0, {0, 0}, {100, 20}},    {45, {0, 70}, {84, 84}},   {90, {0, 100}, {20, 100}},
        {135, {70, 84}, {84, 84}}, {180, {100, 20}, {100, 20}}, {225, {84, 14}, {84, 84}},
        {270, {20, 0}, {20, 100}}, {315, {14, 0}, {84, 84}},   {360, {0, 0}, {100, 20}},
    };
    for (const Case &c : cases) {
        const TRotateLabel::TRotatedBox box = TRotateLabel::RotatedBox(c.angle, extent);
        EXPECT_EQ(box.Origin, c.origin) << c.angle;
        EXPECT_EQ(box.Size, c.size) << c.angle;
    }
}

TEST_F(RotateLabelTest, TurnedCaptionFitsItsAutoSizedBoxAtEveryAngle)
{
    label.SetTextStyle(TRotateLabel::tsNone);
    label.SetEscapement(0);
    const int level = Count(Render(), Face);
    for (int angle : {30, 90, 150, 180, 240, 270, 330}) {
        label.SetEscapement(angle);
        const QImage image = Render();
        // Nothing cut off: about as much ink as level text, reaching near
        // every edge of the box.
        EXPECT_NEAR(Count(image, Face), level, level * 0.15) << angle;
        const QRect ink = Ink(image, Face);
        EXPECT_LE(ink.left(), 6) << angle;
        EXPECT_LE(ink.top(), 6) << angle;
        EXPECT_GE(ink.right(), image.width() - 7) << angle;
        EXPECT_GE(ink.bottom(), image.height() - 7) << angle;
    }
}

TEST_F(RotateLabelTest, NinetyDegreesReadsUpward)
{
    label.SetTextStyle(TRotateLabel::tsNone);
    label.SetEscapement(90);
    const QSize extent = Extent(label.Caption());
    EXPECT_EQ(label.size(), QSize(extent.height(), extent.width()));

    const QImage image = Render();
    // The capital H comes first, at the bottom, and reaches nearer the
    // text's top (the left) than the small letters at the end.
    const auto leftmost = [&](int fromY, int toY) {
        return Ink(image.copy(0, fromY, image.width(), toY - fromY), Face).left();
    };
    EXPECT_LT(leftmost(image.height() - 10, image.height()), leftmost(0, 10));
}

TEST_F(RotateLabelTest, AmpersandIsAnAcceleratorOnlyWhenLevel)
{
    label.SetTextStyle(TRotateLabel::tsNone);
    label.SetAutoSize(false);
    label.resize(120, 120);
    label.SetCaption(QStringLiteral("A&B"));
    const int ampersand = Extent(QStringLiteral("&")).width();

    label.SetEscapement(0);
    const int level = Ink(Render(), Face).width();
    label.SetShowAccelChar(false);
    const int literal = Ink(Render(), Face).width();
    label.SetShowAccelChar(true);
    label.SetEscapement(90);
    const int turned = Ink(Render(), Face).height();

    EXPECT_GT(literal, level + ampersand / 2);
    EXPECT_GT(turned, level + ampersand / 2);
}

TEST_F(RotateLabelTest, RaisedAndRecessedEdgesAreOffsetCopies)
{
    label.SetEscapement(0);
    label.SetTextStyle(TRotateLabel::tsNone);
    label.move(0, 0);
    label.resize(label.width() + 4, label.height() + 4);
    label.SetAutoSize(false);
    const QImage flat = Render();

    const auto check = [&](TRotateLabel::TTextStyle style, QColor lowerRight, QColor upperLeft, QColor face) {
        label.SetTextStyle(style);
        const QImage image = Render();
        int lower = 0;
        int upper = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                const bool inFace = flat.pixelColor(x, y) == Face;
                if (inFace) {
                    EXPECT_EQ(c, face) << x << "," << y;
                } else if (c == lowerRight) {
                    ++lower;
                    EXPECT_TRUE(Is(flat, {x - 1, y - 1}, Face)) << x << "," << y;
                } else if (c == upperLeft) {
                    ++upper;
                    EXPECT_TRUE(Is(flat, {x + 1, y + 1}, Face)) << x << "," << y;
                } else {
                    EXPECT_EQ(c, Background) << x << "," << y;
                }
            }
        }
        EXPECT_GT(lower, 20);
        EXPECT_GT(upper, 20);
    };
    check(TRotateLabel::tsRaised, Shadow, Highlight, Face);
    check(TRotateLabel::tsRecessed, Highlight, Shadow, Face);
    label.setEnabled(false);
    check(TRotateLabel::tsRaised, Shadow, Highlight, GrayText);
}

TEST_F(RotateLabelTest, FillsWithItsColourUnlessTransparent)
{
    label.SetColor(QColor(10, 200, 30));
    EXPECT_EQ(Render().pixelColor(0, 0), QColor(10, 200, 30));
}

namespace {

class CountingLabel : public TRotateLabel
{
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++Paints;
        TRotateLabel::paintEvent(event);
    }
};

} // namespace

TEST_F(RotateLabelTest, WritingTheStoredValueDoesNotRepaint)
{
    CountingLabel counting;
    counting.SetCaption(QStringLiteral("H-Sentences"));
    counting.SetEscapement(90);
    counting.SetTextStyle(TRotateLabel::tsNone);
    counting.show();
    QApplication::processEvents();
    const int settled = counting.Paints;

    counting.SetEscapement(90);
    counting.SetTextStyle(TRotateLabel::tsNone);
    QApplication::processEvents();
    EXPECT_EQ(counting.Paints, settled);

    counting.SetEscapement(-90);
    QApplication::processEvents();
    EXPECT_GT(counting.Paints, settled);
    EXPECT_EQ(counting.Escapement(), 270);
}
