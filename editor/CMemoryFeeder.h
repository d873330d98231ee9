#pragma once

// Fills the translation memory as the user works: the texts the user marks
// done go in at once, and on every save the done texts changed since the last
// save (never what was merely opened: another customer's file stays private).
//
// The writing runs on a worker thread with its own connection, so a large
// file or a database another editor holds locked never stalls typing or a
// save. A database that cannot be written (damaged, locked, no room) is
// reported once; the editor keeps working without it.

#include "CTranslationMemory.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

class CTextNode;
class CTransDoc;
struct CDocChange;

class CMemoryFeeder : public QObject {
    Q_OBJECT
public:
    CMemoryFeeder(CTransDoc& doc, std::string databasePath, QObject* parent = nullptr);
    // Writes what is still queued (unless the database failed already).
    ~CMemoryFeeder() override;

    const std::string& DatabasePath() const { return m_path; }
    // The memory's code of the document's language ("de"); empty when its name
    // has none, and then nothing of the file goes into the memory.
    static std::string TargetLanguage(const CTransDoc& doc);
    // The memory's name of the document's file.
    static std::string FileOf(const CTransDoc& doc);
    // Returns once everything queued so far is written.
    void Flush();

signals:
    // The database could not be written; said once for the editor's run.
    void Unavailable(const QString& why);

private:
    void OnChanged(const CDocChange& change);
    void OnSaved();
    void Queue(const std::vector<CTextNode*>& texts);
    void Work();

    CTransDoc& m_doc;
    std::string m_path;
    // Texts changed since the last save; cleared when the language is replaced.
    std::unordered_set<CTextNode*> m_unsaved;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::vector<memory::Pair>> m_queue;
    bool m_writing = false;
    bool m_stop = false;
    bool m_failed = false;
    std::thread m_worker;
};
