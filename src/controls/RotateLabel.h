// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

// A label that draws its caption at any whole-degree angle, flat or with a
// raised or recessed edge. At 0 degrees it draws like a plain label, with
// word wrap, alignment and the "&" accelerator; turned, the caption is one
// line and an "&" is just a character.
class TRotateLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Escapement READ Escapement WRITE SetEscapement)
    Q_PROPERTY(TTextStyle TextStyle READ TextStyle WRITE SetTextStyle)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    enum TTextStyle : quint8 { tsNone, tsRaised, tsRecessed };
    Q_ENUM(TTextStyle)

    // Where a caption of the given unrotated extent starts, measured from the
    // top-left corner of its turned bounding box, and that box's size.
    struct TRotatedBox
    {
        QPoint Origin;
        QSize Size;
    };
    static TRotatedBox RotatedBox(int angle, QSize extent);

    explicit TRotateLabel(QWidget *parent = nullptr);

    // Degrees counter-clockwise, kept in 0..360.
    int Escapement() const { return m_escapement; }
    void SetEscapement(int value);
    TTextStyle TextStyle() const { return m_textStyle; }
    void SetTextStyle(TTextStyle value);

    // Left, right or centred; there is no vertical alignment.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value);
    QColor Color() const;
    void SetColor(const QColor &value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int Flags() const;
    void DrawCaption(QPainter &painter, const QRect &rect, int flags);
    void DrawText(QPainter &painter, const QRect &rect, int flags, const QColor &colour);
    void DrawRotatedText(QPainter &painter, QRect rect, const QString &text, int angle);
    void ComputeRotatedOrigin(QRect &rect, int angle, const QString &text);
    void AdjustBounds();

    int m_escapement = 45;
    TTextStyle m_textStyle = tsRaised;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    QString m_caption;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    bool m_wordWrap = false;
};
