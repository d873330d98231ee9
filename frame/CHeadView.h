#pragma once

// The head view: the upper pane of the main window's splitter. A form on
// template 147 that shows the header of the open language (program, version,
// language name), the name of the foreign language shown as an aid, and both
// flags. The language name is the one field the user edits here; a click on
// the language's own flag opens the flag dialog.
//
// Use:
//     auto* head = new CHeadView(parent);   // controls are made at once
//     document.AddView(head);
//     head->OnInitialUpdate();              // translates the form, fills the fields
// From then on it follows the document's change signal; every edit of the
// language name is a step of the document's history. The view needs a CTransDoc.

#include "CFormView.h"
#include "CView.h"

#include <QMetaObject>
#include <QPoint>

#include <cstdint>

class QLabel;
class QLineEdit;
class CTransDoc;
struct CDocChange;

class CHeadView : public CFormView, public CView {
    Q_OBJECT
public:
    // Side of the flag square drawn at, and clicked at, the flag places.
    static constexpr int kFlagSide = 32;
    // Fields 1002 and 1004 end this far before the view's right edge.
    static constexpr int kRightGap = 10;

    explicit CHeadView(QWidget* parent = nullptr);
    ~CHeadView() override;

    CTransDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, std::intptr_t hint) override;
    // Draws the flags; the controls draw themselves.
    void OnDraw(QPainter& painter);

    // The controls, in template order of their roles.
    QLabel* GetForeignFlagPlace() const { return m_foreignFlag; }
    QLabel* GetOwnFlagPlace() const { return m_ownFlag; }
    QLabel* GetForeignLabel() const { return m_foreignLabel; }
    QLineEdit* GetForeignNameField() const { return m_foreignName; }
    QLineEdit* GetVersionField() const { return m_version; }
    QLineEdit* GetProgramField() const { return m_program; }
    QLineEdit* GetLanguageField() const { return m_language; }

    // The square of the own flag, in the view's coordinates.
    QRect OwnFlagSquare() const;
    // A left click at point (what the left button down does).
    void Click(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnDocumentChanged(const CDocChange& change);
    void FillFields();
    void OnLanguageNameChanged();
    void FitFieldsToWidth();
    void DrawFlag(QPainter& painter, const class CLanguageFile& language, const QLabel* place);

    QLabel* m_foreignFlag = nullptr;
    QLabel* m_ownFlag = nullptr;
    QLabel* m_foreignLabel = nullptr;
    QLineEdit* m_foreignName = nullptr;
    QLineEdit* m_version = nullptr;
    QLineEdit* m_program = nullptr;
    QLineEdit* m_language = nullptr;
    // True while the view fills the fields itself: their change
    // notifications are not the user's.
    bool m_updating = false;
    QMetaObject::Connection m_docConnection;
};
