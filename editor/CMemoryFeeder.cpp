#include "CMemoryFeeder.h"

#include "CTransDoc.h"
#include "LanguageCodes.h"
#include "Utf8.h"

#include <ctime>
#include <utility>

CMemoryFeeder::CMemoryFeeder(CTransDoc& doc, std::string databasePath, QObject* parent)
    : QObject(parent), m_doc(doc), m_path(std::move(databasePath))
{
    connect(&doc, &CTransDoc::Changed, this, &CMemoryFeeder::OnChanged);
    connect(&doc, &CTransDoc::Saved, this, &CMemoryFeeder::OnSaved);
    m_worker = std::thread([this] { Work(); });
}

CMemoryFeeder::~CMemoryFeeder()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

std::string CMemoryFeeder::TargetLanguage(const CTransDoc& doc)
{
    return language_codes::FromName(doc.GetLanguageName());
}

std::string CMemoryFeeder::FileOf(const CTransDoc& doc)
{
    return memory::FileKey(utf8::FromUtf16(doc.GetPathName()));
}

void CMemoryFeeder::Flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_queue.empty() && !m_writing; });
}

void CMemoryFeeder::OnChanged(const CDocChange& change)
{
    if (change.Has(CDocChange::Everything)) {
        // Another language: these nodes are gone.
        m_unsaved.clear();
        return;
    }
    if (change.Has(CDocChange::Texts))
        m_unsaved.insert(change.texts.begin(), change.texts.end());
    if (!change.markedDone.empty())
        Queue(change.markedDone);
}

void CMemoryFeeder::OnSaved()
{
    const std::vector<CTextNode*> texts(m_unsaved.begin(), m_unsaved.end());
    m_unsaved.clear();
    Queue(texts);
}

void CMemoryFeeder::Queue(const std::vector<CTextNode*>& texts)
{
    const CLanguageFile* language = m_doc.GetLanguage();
    const std::string target = TargetLanguage(m_doc);
    if (!language || language->IsOriginal() || target.empty())
        return;
    // The pairs are copied here, on the GUI thread: the worker never reads the tree.
    const std::string file = FileOf(m_doc);
    const auto now = static_cast<std::int64_t>(std::time(nullptr));
    std::vector<memory::Pair> pairs;
    memory::Pair pair;
    for (const CTextNode* node : texts) {
        if (memory::PairOfText(*language, *node, "und", target, file, now, pair))
            pairs.push_back(std::move(pair));
    }
    if (pairs.empty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(pairs));
    }
    m_wake.notify_all();
}

void CMemoryFeeder::Work()
{
    std::unique_ptr<memory::CTranslationMemory> memory;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        // Closing after a failure writes nothing more: each try could wait for a lock.
        if (m_queue.empty() || (m_stop && m_failed))
            break;
        std::vector<memory::Pair> pairs = std::move(m_queue.front());
        m_queue.pop_front();
        m_writing = true;
        lock.unlock();
        std::string error;
        if (!memory)
            memory = memory::CTranslationMemory::Open(m_path, error);
        memory::AddCounts counts;
        if (memory)
            error = memory->Add(pairs, counts);
        lock.lock();
        m_writing = false;
        if (!error.empty()) {
            // A later batch opens the database anew: a lock may have gone by then.
            memory.reset();
            if (!std::exchange(m_failed, true)) {
                QMetaObject::invokeMethod(this, [this, why = QString::fromStdString(error)] { emit Unavailable(why); },
                                          Qt::QueuedConnection);
            }
        }
        m_idle.notify_all();
    }
    m_queue.clear();
    m_idle.notify_all();
}
