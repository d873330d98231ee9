#include "CHeadView.h"

#include "CDc.h"
#include "CImageBitmap.h"
#include "CLanguageFile.h"
#include "CTransDoc.h"
#include "DialogTranslation.h"
#include "PixelArtScale.h"
#include "QtStrings.h"
#include "resource.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <memory>

CHeadView::CHeadView(QWidget* parent) : CFormView(IDD_HEADVIEW, parent)
{
    Create();
    // Bound in the order of their roles: the two flag places, the foreign
    // label and name, then the header fields.
    m_foreignFlag = qobject_cast<QLabel*>(GetDlgItem(IDC_HEAD_FOREIGN_FLAG).GetWidget());
    m_ownFlag = qobject_cast<QLabel*>(GetDlgItem(IDC_HEAD_OWN_FLAG).GetWidget());
    m_foreignLabel = qobject_cast<QLabel*>(GetDlgItem(IDC_HEAD_FOREIGN_LABEL).GetWidget());
    m_foreignName = qobject_cast<QLineEdit*>(GetDlgItem(IDC_HEAD_FOREIGN_NAME).GetWidget());
    m_version = qobject_cast<QLineEdit*>(GetDlgItem(IDC_HEAD_VERSION).GetWidget());
    m_program = qobject_cast<QLineEdit*>(GetDlgItem(IDC_HEAD_PROGRAM).GetWidget());
    m_language = qobject_cast<QLineEdit*>(GetDlgItem(IDC_HEAD_LANGUAGE).GetWidget());
    if (m_language)
        connect(m_language, &QLineEdit::textChanged, this, [this] { OnLanguageNameChanged(); });
    // Read-only fields take the focus only from a click (to copy from them):
    // Tab, F6 and a closing dialog never leave it where nothing can be typed.
    for (QLineEdit* field : {m_foreignName, m_version, m_program}) {
        if (field && field->isReadOnly())
            field->setFocusPolicy(Qt::ClickFocus);
    }
}

CHeadView::~CHeadView() = default;

CTransDoc* CHeadView::GetDocument() const { return dynamic_cast<CTransDoc*>(CView::GetDocument()); }

void CHeadView::OnInitialUpdate()
{
    TranslateDialog(CWnd(this), kPlainDialog);
    FillFields();
    FitFieldsToWidth();
    disconnect(m_docConnection);
    if (CTransDoc* doc = GetDocument())
        m_docConnection = connect(doc, &CTransDoc::Changed, this, &CHeadView::OnDocumentChanged);
}

void CHeadView::OnDocumentChanged(const CDocChange& change)
{
    if (change.Has(CDocChange::Everything) || change.Has(CDocChange::Header)) {
        FillFields();
        update();
    }
}

void CHeadView::OnUpdate(CView* /*sender*/, std::intptr_t hint)
{
    if (hint == CTransDoc::kHintRebuild)
        FillFields();
    if (hint == CTransDoc::kHintRebuild || hint == CTransDoc::kHintRedraw)
        update();
}

void CHeadView::FillFields()
{
    m_updating = true;
    const CTransDoc* doc = GetDocument();
    const CLanguageFile* language = doc ? doc->GetLanguage() : nullptr;
    const CLanguageFile* foreign = doc ? doc->GetForeignLanguage() : nullptr;
    // The name the user is typing stays as it is (with its caret) when the
    // document holds it already.
    const QString name = language ? ToQString(language->GetLanguageName()) : QString();
    if (m_language && m_language->text() != name)
        m_language->setText(name);
    if (m_program)
        m_program->setText(language ? ToQString(language->GetProgramName()) : QString());
    if (m_version)
        m_version->setText(language ? ToQString(language->GetProgramVersion()) : QString());
    if (m_foreignName) {
        m_foreignName->setEnabled(foreign != nullptr);
        m_foreignName->setText(foreign ? ToQString(foreign->GetLanguageName()) : QString());
    }
    if (m_foreignLabel)
        m_foreignLabel->setEnabled(foreign != nullptr);
    m_updating = false;
}

void CHeadView::OnLanguageNameChanged()
{
    if (m_updating)
        return;
    CTransDoc* doc = GetDocument();
    if (!doc)
        return;
    if (doc->IsOriginal()) {
        // An original-language file keeps its name: the typed one goes
        // at once, and the user may start a translation instead.
        FillFields();
        doc->AskNewFromOriginal();
    } else if (!doc->SetLanguageName(m_language->text().toStdU16String())) {
        FillFields(); // refused (busy): the document's name stays
    }
}

QRect CHeadView::OwnFlagSquare() const
{
    if (!m_ownFlag)
        return {};
    return {m_ownFlag->geometry().topLeft(), QSize(kFlagSide, kFlagSide)};
}

void CHeadView::Click(QPoint point)
{
    CTransDoc* doc = GetDocument();
    if (!doc || !OwnFlagSquare().contains(point))
        return;
    if (doc->IsOriginal())
        doc->AskNewFromOriginal();
    else
        doc->ChooseFlag();
}

void CHeadView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const bool onFlag = OwnFlagSquare().contains(point);
        const bool original = GetDocument() && GetDocument()->IsOriginal();
        Click(point);
        // The question about an original file was the whole answer to the
        // click; everything else goes on to the usual handling.
        if (onFlag && original)
            return;
    }
    CFormView::mousePressEvent(event);
}

void CHeadView::resizeEvent(QResizeEvent* event)
{
    CFormView::resizeEvent(event);
    FitFieldsToWidth();
}

void CHeadView::FitFieldsToWidth()
{
    const int right = width() - kRightGap;
    for (QLineEdit* field : {m_language, m_foreignName}) {
        if (!field)
            continue;
        QRect r = field->geometry();
        r.setRight(right - 1); // QRect's right is inclusive: the field ends at `right`
        field->setGeometry(r);
    }
}

void CHeadView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    OnDraw(painter);
}

void CHeadView::OnDraw(QPainter& painter)
{
    const CTransDoc* doc = GetDocument();
    if (!doc)
        return;
    if (const CLanguageFile* language = doc->GetLanguage())
        DrawFlag(painter, *language, m_ownFlag);
    if (const CLanguageFile* foreign = doc->GetForeignLanguage())
        DrawFlag(painter, *foreign, m_foreignFlag);
}

void CHeadView::DrawFlag(QPainter& painter, const CLanguageFile& language, const QLabel* place)
{
    if (!place)
        return;
    const CDc window(static_cast<QWidget*>(this));
    std::unique_ptr<CBitmap> bitmap = language.CreateFlagBitmap(window);
    // A flag is pixel art: drawn with as many pixels as the screen has.
    if (auto* image = dynamic_cast<CImageBitmap*>(bitmap.get()))
        image->GetImage() = ScalePixelArt(image->GetImage(), kFlagSide, devicePixelRatioF());
    std::unique_ptr<CDc> memory = window.CreateCompatibleCDc();
    CBitmap* previous = memory->SelectObject(bitmap.get());
    CDc dc(painter);
    const QPoint at = place->geometry().topLeft();
    dc.BitBlt(at.x(), at.y(), kFlagSide, kFlagSide, memory.get(), 0, 0, SRCCOPY);
    memory->SelectObject(previous);
}
