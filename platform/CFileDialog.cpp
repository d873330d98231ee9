#include "CFileDialog.h"

#include "QtStrings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {
CFileDialog::Responder& TheResponder()
{
    static CFileDialog::Responder responder;
    return responder;
}
} // namespace

CFileDialog::CFileDialog(bool openFileDialog, const std::u16string& defExt,
                         const std::u16string& fileName, DWORD flags, const std::u16string& filter,
                         QWidget* parent)
    : m_open(openFileDialog), m_defExt(defExt), m_path(fileName), m_flags(flags), m_filter(filter),
      m_parent(parent)
{
}

CFileDialog::Responder CFileDialog::SetResponder(Responder responder)
{
    return std::exchange(TheResponder(), std::move(responder));
}

QString CFileDialog::ToQtFilter(const std::u16string& filter)
{
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.isEmpty())
            break; // "||" ends the list
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .join(QLatin1Char(' '));
        // Qt reads the patterns from the name's last parentheses, which the
        // original's names usually carry already.
        result << (name.endsWith(QLatin1Char(')')) ? name : name + QStringLiteral(" (") + patterns +
                                                                 QLatin1Char(')'));
    }
    return result.join(QStringLiteral(";;"));
}

void CFileDialog::SetStartFolderOf(const std::u16string& file)
{
    m_startFolder =
        file.empty() ? std::u16string() : ToU16(QFileInfo(ToQString(file)).absolutePath());
}

QString CFileDialog::StartFolder()
{
    const QFileInfo working(QDir::currentPath());
    const QString home = QFileInfo(QDir::homePath()).canonicalFilePath();
    if (working.isWritable() && working.canonicalFilePath() != home)
        return working.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

INT_PTR CFileDialog::DoModal()
{
    if (const Responder responder = TheResponder())
        return responder(*this);
    QFileDialog dialog(m_parent, ToQString(m_title));
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QString filter = ToQtFilter(m_filter);
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    QString suffix = ToQString(m_defExt);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (QFileInfo(ToQString(m_path)).isRelative())
        dialog.setDirectory(m_startFolder.empty() ? StartFolder() : ToQString(m_startFolder));
    if (!m_path.empty())
        dialog.selectFile(ToQString(m_path));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_path = ToU16(dialog.selectedFiles().constFirst());
    return IDOK;
}

std::u16string CFileDialog::GetFileName() const
{
    return ToU16(QFileInfo(ToQString(m_path)).fileName());
}

std::u16string CFileDialog::GetFileExt() const
{
    return ToU16(QFileInfo(ToQString(m_path)).suffix());
}
