#include "CHelpWindow.h"

#include "CLanguageFile.h"
#include "UiLanguage.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    resize(640, 720);
}

bool CHelpWindow::UseGermanGuide()
{
    const CLanguageFile* ui = GetCurrentTranslation();
    if (!ui || ui->IsOriginal())
        return true;
    return ui->GetLanguageName().starts_with(u"Deutsch");
}

void CHelpWindow::ShowGuide()
{
    m_browser->setSource(QUrl(QString::fromLatin1(UseGermanGuide() ? kGermanPage : kEnglishPage)));
    setWindowTitle(m_browser->documentTitle());
    show();
    raise();
    activateWindow();
}
