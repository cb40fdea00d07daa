#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Calls back for every character typed into the watched widgets (a key press
// that carries text, control characters such as backspace included), and
// lets the key through. Pasting with the mouse types nothing.
class TTypingWatcher : public QObject
{
    Q_OBJECT

public:
    TTypingWatcher(std::function<void()> typed, QObject *parent);

    // Watches the widget and every widget inside it.
    void Watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_typed;
};
