#include "CBackgroundRun.h"

#include <utility>

void CBackgroundRun::Start(Work work)
{
    Stop();
    const std::uint64_t run = m_run;
    m_running = true;
    m_thread = std::jthread([this, run, work = std::move(work)](std::stop_token stop) {
        Finish finish = work(stop);
        if (stop.stop_requested())
            return;
        // Queued on the receiver: its destruction takes the call with it.
        QMetaObject::invokeMethod(
            &m_receiver,
            [this, run, finish = std::move(finish)] {
                if (run != m_run)
                    return;
                m_running = false;
                if (finish)
                    finish();
            },
            Qt::QueuedConnection);
    });
}

void CBackgroundRun::Stop()
{
    ++m_run;
    m_running = false;
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}
