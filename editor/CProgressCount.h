#pragma once

// How many texts of the open language are done: counted once when a
// language comes, then kept by each change's doneDelta, so a keystroke never
// walks the file.

#include <QObject>

#include <cstdint>

class CTransDoc;
struct CDocChange;

class CProgressCount : public QObject {
    Q_OBJECT
public:
    explicit CProgressCount(CTransDoc& doc, QObject* parent = nullptr);

    std::int64_t Done() const { return m_done; }
    std::int64_t Total() const { return m_total; }

signals:
    void CountChanged();

private:
    void OnChanged(const CDocChange& change);
    void Recount();

    CTransDoc& m_doc;
    std::int64_t m_done = 0;
    std::int64_t m_total = 0;
};
