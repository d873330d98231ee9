#include "CRecovery.h"

#include "CLanguageFile.h"
#include "CMessageBox.h"
#include "CProfile.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

qint64 CRecoveryClock::NowMs() const { return m_started.elapsed(); }

void CRecoveryClock::StartTimer(qint64 ms)
{
    if (!m_timer) {
        m_timer = std::make_unique<QTimer>();
        m_timer->setSingleShot(true);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
            if (fired)
                fired();
        });
    }
    m_timer->start(int(ms));
}

void CRecoveryClock::StopTimer()
{
    if (m_timer)
        m_timer->stop();
}

bool CRecoveryClock::TimerActive() const { return m_timer && m_timer->isActive(); }

CRecovery::CRecovery(CTransDoc& doc, QString folder, QObject* parent)
    : QObject(parent), m_doc(doc), m_folder(std::move(folder))
{
    m_steadyClock.fired = [this] { TimerFired(); };
    connect(&m_doc, &CTransDoc::Changed, this, [this] { DocumentChanged(); });
}

void CRecovery::SetClock(CRecoveryClock& clock)
{
    m_clock->StopTimer();
    m_clock = &clock;
    m_clock->fired = [this] { TimerFired(); };
    // Times read from the old clock mean nothing on the new one.
    m_changedAt = -1;
    m_writtenAt = -1;
}

CRecovery::~CRecovery() = default;

QString CRecovery::DefaultFolder() { return QFileInfo(CProfile::GetFileName()).absolutePath(); }

QString CRecovery::CopyPath() const { return m_folder + QStringLiteral("/recovery.tra"); }

QString CRecovery::NamePath() const { return m_folder + QStringLiteral("/recovery.name"); }

bool CRecovery::HasCopy() const { return QFile::exists(CopyPath()); }

void CRecovery::DocumentChanged()
{
    if (!m_armed)
        return;
    if (!m_doc.IsLanguageModified()) {
        // Saved, or another file opened after the save question.
        m_clock->StopTimer();
        RemoveCopy();
        return;
    }
    // Called with every committed keystroke: nothing here may cost more than
    // noting the time.
    m_changedAt = m_clock->NowMs();
    if (!m_clock->TimerActive())
        Schedule();
}

void CRecovery::Schedule()
{
    const qint64 now = m_clock->NowMs();
    qint64 wait = kIdleMs - (now - m_changedAt);
    if (m_writtenAt >= 0)
        wait = std::max(wait, kIntervalMs - (now - m_writtenAt));
    m_clock->StartTimer(std::max<qint64>(wait, 0));
}

void CRecovery::TimerFired()
{
    if (!m_doc.IsLanguageModified())
        return;
    const qint64 now = m_clock->NowMs();
    const bool typing = m_changedAt >= 0 && now - m_changedAt < kIdleMs;
    const bool recent = m_writtenAt >= 0 && now - m_writtenAt < kIntervalMs;
    if (typing || recent || m_doc.IsBusy()) {
        if (m_doc.IsBusy())
            m_clock->StartTimer(kIdleMs);
        else
            Schedule();
        return;
    }
    WriteCopy();
}

bool CRecovery::WriteCopy()
{
    if (!m_doc.GetLanguage() || m_doc.IsBusy())
        return false;
    QDir().mkpath(m_folder);
    m_writtenAt = m_clock->NowMs();
    if (WriteLanguageFile(*m_doc.GetLanguage(), LocalPath(CopyPath())))
        return false;
    QSaveFile name(NamePath());
    if (!name.open(QIODevice::WriteOnly))
        return false;
    name.write(ToQString(m_doc.GetPathName()).toUtf8());
    return name.commit();
}

void CRecovery::RemoveCopy()
{
    QFile::remove(CopyPath());
    QFile::remove(NamePath());
}

void CRecovery::Discard()
{
    m_clock->StopTimer();
    RemoveCopy();
}

bool CRecovery::OfferAtStart()
{
    m_armed = true;
    if (!HasCopy())
        return false;
    QString path;
    if (QFile name(NamePath()); name.open(QIODevice::ReadOnly))
        path = QString::fromUtf8(name.readAll());
    const QFileInfo copy(CopyPath());
    const QFileInfo file(path);
    // A file saved after the copy was made holds the newer work.
    if (!path.isEmpty() && file.exists() && file.lastModified() >= copy.lastModified()) {
        RemoveCopy();
        return false;
    }
    ReadOutcome read = ReadLanguageFile(LocalPath(CopyPath()));
    if (read.error || !read.language || !read.language->GetRoot()) {
        RemoveCopy();
        return false;
    }
    const std::u16string shown =
        path.isEmpty() ? TranslatedString(IDS_RECOVER_UNNAMED) : ToU16(path);
    const std::u16string when =
        ToU16(QLocale().toString(copy.lastModified(), QLocale::ShortFormat));
    std::u16string question;
    FormatTranslated(question, IDS_ASK_RECOVER, shown, when);
    if (AfxMessageBox(question, MB_YESNO) != IDYES) {
        RemoveCopy();
        return false;
    }
    m_doc.RestoreLanguage(std::move(read.language), ToU16(path));
    return true;
}
