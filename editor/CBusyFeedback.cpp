#include "CBusyFeedback.h"

#include "CFrameWnd.h"
#include "CStatusBar.h"
#include "CWinApp.h"
#include "QtStrings.h"
#include "TranslatedStrings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressDialog>

namespace {

CFrameWnd* MainFrame()
{
    CWinApp* app = AfxGetApp();
    return app ? qobject_cast<CFrameWnd*>(app->m_pMainWnd) : nullptr;
}

void ShowMessage(UINT id)
{
    CFrameWnd* frame = MainFrame();
    if (!frame)
        return;
    frame->SetMessageText(id);
    // The event loop does not run until the work is done: paint the line now.
    if (CStatusBar* bar = frame->GetStatusBar())
        bar->repaint();
}

// The prompt part of a command string ("prompt\ntooltip").
std::u16string PromptOf(unsigned commandId)
{
    std::u16string text = TranslatedString(commandId);
    if (const auto newline = text.find(u'\n'); newline != std::u16string::npos)
        text.erase(newline);
    return text;
}

constexpr int kProgressSteps = 1000;

std::function<void(CBusyFeedback&)>& StepHook()
{
    static std::function<void(CBusyFeedback&)> hook;
    return hook;
}

// Neither Escape nor the close box ends it: the work goes on regardless, and
// a hidden dialog would let the main window take input again.
class CBusyDialog : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

std::function<qint64()>& ElapsedOverride()
{
    static std::function<qint64()> elapsed;
    return elapsed;
}

} // namespace

void CBusyFeedback::SetElapsedForTesting(std::function<qint64()> elapsedMs)
{
    ElapsedOverride() = std::move(elapsedMs);
}

void CBusyFeedback::SetStepHookForTesting(std::function<void(CBusyFeedback&)> hook) { StepHook() = std::move(hook); }

CBusyFeedback::CBusyFeedback(unsigned commandId) : m_commandId(commandId)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowMessage(commandId);
    m_timer.start();
}

CBusyFeedback::~CBusyFeedback()
{
    m_dialog.reset();
    QApplication::restoreOverrideCursor();
    ShowMessage(AFX_IDS_IDLEMESSAGE);
}

ProgressCallback CBusyFeedback::Progress()
{
    return [this](std::uint64_t done, std::uint64_t total) { OnProgress(done, total); };
}

void CBusyFeedback::OnProgress(std::uint64_t done, std::uint64_t total)
{
    ShowProgress(done, total);
    if (StepHook())
        StepHook()(*this);
}

void CBusyFeedback::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    if (total == 0)
        return;
    if (!m_dialog) {
        const qint64 elapsed = ElapsedOverride() ? ElapsedOverride()() : m_timer.elapsed();
        if (elapsed < kProgressDelayMs)
            return;
        CFrameWnd* frame = MainFrame();
        m_dialog = std::make_unique<CBusyDialog>(ToQString(PromptOf(m_commandId)), QString(), 0,
                                                 kProgressSteps, frame);
        m_dialog->setWindowFlags((m_dialog->windowFlags() | Qt::CustomizeWindowHint) &
                                 ~Qt::WindowCloseButtonHint);
        // Modal, so that nothing can reach the document while it is busy.
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setWindowTitle(ToQString(AfxGetAppName()));
        m_showed = true;
    }
    const auto part = done >= total ? kProgressSteps : int(done * kProgressSteps / total);
    m_dialog->setValue(part);
}
