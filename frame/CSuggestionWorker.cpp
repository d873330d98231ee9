#include "CSuggestionWorker.h"

#include <QMetaObject>

// The object on the worker's thread that owns the database connection.
class CSuggestionWorker::Connection : public QObject {
public:
    Connection(std::string path, std::shared_ptr<std::atomic<std::uint64_t>> latest, QObject* receiver,
               ReplyHandler handler)
        : m_path(std::move(path)), m_latest(std::move(latest)), m_receiver(receiver),
          m_handler(std::move(handler))
    {
    }

    void Lookup(std::uint64_t sequence, const std::u16string& original, const std::string& language,
                int limit)
    {
        if (sequence != m_latest->load())
            return; // the user has moved on already
        SuggestionReply reply;
        reply.sequence = sequence;
        // A database that failed to open is tried again on the next request:
        // a lock may be gone by then.
        if (!m_memory)
            m_memory = memory::CTranslationMemory::Open(m_path, reply.error);
        if (m_memory)
            reply.error = m_memory->Lookup(original, language, limit, reply.matches);
        QMetaObject::invokeMethod(m_receiver, [handler = m_handler, reply = std::move(reply)] {
            handler(reply);
        }, Qt::QueuedConnection);
    }

private:
    std::string m_path;
    std::shared_ptr<std::atomic<std::uint64_t>> m_latest;
    QObject* m_receiver;
    ReplyHandler m_handler;
    std::unique_ptr<memory::CTranslationMemory> m_memory;
};

CSuggestionWorker::CSuggestionWorker(std::string databasePath, QObject* receiver, ReplyHandler handler)
    : m_latest(std::make_shared<std::atomic<std::uint64_t>>(0)),
      m_connection(new Connection(std::move(databasePath), m_latest, receiver, std::move(handler)))
{
    m_connection->moveToThread(&m_thread);
    // The connection is closed on the thread that opened it.
    QObject::connect(&m_thread, &QThread::finished, m_connection, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("suggestions"));
    m_thread.start(QThread::LowPriority);
}

CSuggestionWorker::~CSuggestionWorker()
{
    m_latest->store(0); // what is still queued is skipped
    m_thread.quit();
    m_thread.wait();
}

void CSuggestionWorker::Request(std::uint64_t sequence, std::u16string original,
                                std::string targetLanguage, int limit)
{
    m_latest->store(sequence);
    QMetaObject::invokeMethod(
        m_connection,
        [connection = m_connection, sequence, original = std::move(original),
         language = std::move(targetLanguage), limit] {
            connection->Lookup(sequence, original, language, limit);
        },
        Qt::QueuedConnection);
}
