#pragma once

// Feedback while the document works on a large file: the busy cursor and the
// command's prompt on the message line for the whole operation, and a
// progress dialog once reading or writing has taken longer than half a second.
// The merge of two trees reports no progress; it gets the cursor and the prompt.

#include "CArchive.h"

#include <QElapsedTimer>

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

private:
    void OnProgress(std::uint64_t done, std::uint64_t total);

    unsigned m_commandId;
    QElapsedTimer m_timer;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_showed = false;
};
