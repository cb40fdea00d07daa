// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class QDialog;

// Keeps a box's buttons out of reach until it has been on screen and the
// keyboard has been quiet for a moment: a clinician typing a name while a
// question comes up must not answer it with a letter or Enter meant for the
// name. Every key pressed meanwhile, in any window, starts the wait again.
class TBlindKeyGuard : public QObject
{
public:
    static constexpr int QuietMs = 600;

    explicit TBlindKeyGuard(QDialog &box);
    ~TBlindKeyGuard() override;

    bool Released() const { return m_released; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetButtonsEnabled(bool enabled);
    void Release();

    QDialog &m_box;
    QTimer m_quiet;
    bool m_released = false;
};
