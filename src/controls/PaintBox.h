#pragma once

#include <QWidget>

#include <functional>

class QPainter;

// A plain drawing surface: everything on it is drawn by its owner's paint
// handler, on the parent's background.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);

    std::function<void(QPainter &painter)> OnPaint;

protected:
    void paintEvent(QPaintEvent *event) override;
};
