#pragma once

// A recovery clock that moves only when the test says so; a timer that falls
// due on the way fires at its time.

#include "CRecovery.h"

class ManualClock : public CRecoveryClock {
public:
    qint64 NowMs() const override { return m_now; }
    void StartTimer(qint64 ms) override { m_due = m_now + ms; }
    void StopTimer() override { m_due = -1; }
    bool TimerActive() const override { return m_due >= 0; }

    void Advance(qint64 ms)
    {
        const qint64 until = m_now + ms;
        while (m_due >= 0 && m_due <= until) {
            m_now = m_due;
            m_due = -1;
            fired();
        }
        m_now = until;
    }

private:
    qint64 m_now = 0;
    qint64 m_due = -1;
};
