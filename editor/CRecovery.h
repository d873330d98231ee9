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

class CTransDoc;

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
    // Test seam: shorter times than a minute and two seconds.
    void SetTimingsForTesting(int intervalMs, int idleMs);

private:
    void DocumentChanged();
    void TimerFired();
    void Schedule();
    void RemoveCopy();

    CTransDoc& m_doc;
    QString m_folder;
    QTimer m_timer;
    QElapsedTimer m_sinceChange;
    QElapsedTimer m_sinceWrite; // invalid until the first copy
    int m_intervalMs = kIntervalMs;
    int m_idleMs = kIdleMs;
    bool m_armed = false;
};
