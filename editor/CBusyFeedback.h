#pragma once

// Feedback while the document works on a large file: the busy cursor and the
// command's prompt on the message line for the whole operation, and a
// progress dialog once reading or writing has taken longer than half a second.
// The merge of two trees reports no progress; it gets the cursor and the prompt.
// The dialog is modal and cannot be closed: while it runs the event loop,
// nothing may reach the document whose file is being read or written.

#include "CArchive.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

class QProgressDialog;

class CBusyFeedback {
public:
    // commandId: the command whose prompt describes the work.
    explicit CBusyFeedback(unsigned commandId);
    ~CBusyFeedback();
    CBusyFeedback(const CBusyFeedback&) = delete;
    CBusyFeedback& operator=(const CBusyFeedback&) = delete;

    // For the model's reads and writes; valid while this object lives.
    ProgressCallback Progress();
    // Whether the progress dialog has been shown.
    bool ShowedProgress() const { return m_showed; }

    // How long an operation may run before the progress dialog appears.
    static constexpr int kProgressDelayMs = 500;

    // Test seam: called after every progress report (about every 256 KiB),
    // to slow the work down and act while it runs. Empty: none.
    static void SetStepHookForTesting(std::function<void(CBusyFeedback&)> hook);
    // Test seam: the milliseconds since the work began, asked in place of the
    // steady clock, so that a test need not wait for the delay. Empty: the clock.
    static void SetElapsedForTesting(std::function<qint64()> elapsedMs);
    // The progress dialog while it is shown, else nullptr.
    QProgressDialog* GetDialog() const { return m_dialog.get(); }

private:
    void OnProgress(std::uint64_t done, std::uint64_t total);
    void ShowProgress(std::uint64_t done, std::uint64_t total);

    unsigned m_commandId;
    QElapsedTimer m_timer;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_showed = false;
};
