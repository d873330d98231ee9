#pragma once

// The document side of the document/view pair: the list of its views, the
// update call that sends them a hint, the title the frame shows, and the
// framework's own modified flag.

#include "CCmdTarget.h"
#include "WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    // Detaches the views that are still attached (they are not destroyed).
    ~CDocument() override;

    // A view joins once; RemoveView is called by the view's destructor too.
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }

    // Calls OnUpdate(sender, hint) on every view except sender, in the order
    // they were added. A view may leave the list during the call.
    void UpdateAllViews(CView* sender, std::intptr_t hint = 0);

    const std::u16string& GetTitle() const { return m_title; }
    // Sets the title and tells the title listener (the frame's caption).
    virtual void SetTitle(const std::u16string& title);
    using TitleListener = std::function<void(const std::u16string&)>;
    void SetTitleListener(TitleListener listener) { m_titleListener = std::move(listener); }

    // The framework's flag; it asks its save question only when this is set.
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    virtual bool OnNewDocument() { return true; }
    virtual bool OnOpenDocument(const std::u16string& /*path*/) { return true; }
    // Closing the document: the default has nothing to tidy up.
    virtual void OnCloseDocument() {}
    // Whether the document may close; false keeps it (and its window) open.
    virtual bool SaveModified() { return true; }
    // While a document is busy (reading or writing), its views pass every
    // command to it unhandled, so that it can refuse them all.
    virtual bool IsBusy() const { return false; }

private:
    std::vector<CView*> m_views;
    std::u16string m_title;
    TitleListener m_titleListener;
    bool m_modified = false;
};
