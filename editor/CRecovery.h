#pragma once

// A crash or a killed session must not cost more than a minute of typing.
// While the document is modified, a copy of the language is written beside the settings, at most once a minute and
// only after a pause in typing; a save, or closing without saving, removes
// it. At the next start a copy newer than its file is offered back.
//
// The copy is written with the same atomic writer as a save; beside it a
// small file names the language file the copy belongs to (empty for a
// language that has no file yet).

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class CTransDoc;

// The time the copy is timed by: the steady clock and a single-shot timer.
// A test gives its own that moves only when told, so a minute takes no time.
class CRecoveryClock {
public:
    CRecoveryClock() { m_started.start(); }
    virtual ~CRecoveryClock() = default;
    virtual qint64 NowMs() const;
    // Calls fired once, ms from now; a later start replaces an earlier one.
    virtual void StartTimer(qint64 ms);
    virtual void StopTimer();
    virtual bool TimerActive() const;

    std::function<void()> fired;

private:
    QElapsedTimer m_started;
    std::unique_ptr<QTimer> m_timer;
};

class CRecovery : public QObject {
public:
    static constexpr int kIntervalMs = 60000; // at most one copy a minute
    static constexpr int kIdleMs = 2000;      // and none while the user types

    // Watches doc (through its change signal); keeps the copy in folder.
    CRecovery(CTransDoc& doc, QString folder, QObject* parent = nullptr);
    ~CRecovery() override;
    CRecovery(const CRecovery&) = delete;
    CRecovery& operator=(const CRecovery&) = delete;

    // The folder beside the program's settings.
    static QString DefaultFolder();

    // At start, once the document is open: a copy newer than its file is
    // offered (question 61481). Yes makes it the document's language, marked
    // modified and saved to its file; No, or a copy that is older than its
    // file or unreadable, removes it. Copies are written only after this ran.
    bool OfferAtStart();
    // The user let the changes go (closed without saving): the copy goes too.
    void Discard();

    QString CopyPath() const;
    QString NamePath() const;
    bool HasCopy() const;

    // Writes the copy now, as the timer does; false on a write error.
    bool WriteCopy();
    // Times the copy by clock from now on (not owned; it outlives this).
    void SetClock(CRecoveryClock& clock);

private:
    void DocumentChanged();
    void TimerFired();
    void Schedule();
    void RemoveCopy();

    CTransDoc& m_doc;
    QString m_folder;
    CRecoveryClock m_steadyClock;
    CRecoveryClock* m_clock = &m_steadyClock;
    qint64 m_changedAt = -1; // -1: no change yet
    qint64 m_writtenAt = -1; // -1: no copy yet
    bool m_armed = false;
};
