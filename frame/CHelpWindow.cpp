#include "CHelpWindow.h"

#include "CLanguageFile.h"
#include "CLanguageSwitchNotifier.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

// A dialog to the window system: X11 keeps only those above their transient
// parent; it keeps the buttons of a window of its own.
CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_browser(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    resize(640, 720);
    connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched, this,
            &CHelpWindow::LoadGuide);
}

bool CHelpWindow::UseGermanGuide()
{
    const CLanguageFile* ui = GetCurrentTranslation();
    if (!ui || ui->IsOriginal())
        return true;
    return ui->GetLanguageName().starts_with(u"Deutsch");
}

void CHelpWindow::LoadGuide()
{
    m_browser->setSource(QUrl(QString::fromLatin1(UseGermanGuide() ? kGermanPage : kEnglishPage)));
    setWindowTitle(m_browser->documentTitle());
}

void CHelpWindow::ShowGuide()
{
    LoadGuide();
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (modality != windowModality()) {
        hide(); // the modality of a shown window does not change
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
}

void CHelpWindow::showEvent(QShowEvent* event)
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner || owner == this)
        owner = parentWidget();
    if (owner && windowHandle() && owner->window()->windowHandle())
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    QWidget::showEvent(event);
}
