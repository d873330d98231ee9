#pragma once

// Work that would stall the user-interface thread (loading a dictionary,
// spelling a whole file) on a thread of its own. The work hands back what is
// to be done with its result, and that runs on the receiver's thread, unless
// a newer run was started or the run was stopped meanwhile: a stale result
// is dropped, never shown.
//
// The run must live no longer than its receiver (make it a member of it).

#include <QObject>

#include <cstdint>
#include <functional>
#include <stop_token>
#include <thread>

class CBackgroundRun {
public:
    // What runs on the receiver's thread once the work is done; empty: nothing.
    using Finish = std::function<void()>;
    // The work; it should look at the token now and then and give up when asked.
    using Work = std::function<Finish(std::stop_token)>;

    explicit CBackgroundRun(QObject& receiver) : m_receiver(receiver) {}
    ~CBackgroundRun() { Stop(); }
    CBackgroundRun(const CBackgroundRun&) = delete;
    CBackgroundRun& operator=(const CBackgroundRun&) = delete;

    // Stops the run before (waiting for its thread) and starts work.
    void Start(Work work);
    // Asks the run to stop, waits for its thread and drops its result.
    void Stop();
    bool IsRunning() const { return m_running; }

private:
    QObject& m_receiver;
    std::jthread m_thread;
    std::uint64_t m_run = 0; // on the receiver's thread only
    bool m_running = false;
};
