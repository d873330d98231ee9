#pragma once

// Looks up the translation memory off the user-interface thread. The worker
// lives on a thread of its own and opens its own connection to the database
// there, on the first request (a connection is never shared between threads).
// Each request carries a sequence number; a request that is no longer the
// latest when its turn comes is skipped, so scrolling through many texts
// costs one lookup, not one per text passed.

#include "CTranslationMemory.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SuggestionReply {
    std::uint64_t sequence = 0;
    std::vector<memory::Match> matches;
    std::string error; // the database could not be opened or read
};

class CSuggestionWorker {
public:
    using ReplyHandler = std::function<void(const SuggestionReply&)>;

    // Starts the thread; replies go to handler on receiver's thread.
    CSuggestionWorker(std::string databasePath, QObject* receiver, ReplyHandler handler);
    // Ends the thread after the lookup that runs, if any.
    ~CSuggestionWorker();
    CSuggestionWorker(const CSuggestionWorker&) = delete;
    CSuggestionWorker& operator=(const CSuggestionWorker&) = delete;

    // Queues a lookup of the matches of original in targetLanguage; sequence
    // must grow with every request.
    void Request(std::uint64_t sequence, std::u16string original, std::string targetLanguage,
                 int limit);

private:
    class Connection;

    std::shared_ptr<std::atomic<std::uint64_t>> m_latest;
    Connection* m_connection; // lives on m_thread, deleted there
    QThread m_thread;
};
