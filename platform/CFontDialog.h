#pragma once

// The font chooser (QFontDialog). It starts from the given record, or from
// the platform's default font when none is given; on IDOK the chosen font is
// available as a logical-font record. The colour is not part of the record.
//
// Test seam: with a responder set, DoModal calls it instead of showing a
// dialog; the responder sets the choice with SetLogFont and returns IDOK or
// IDCANCEL.

#include "LOGFONT.h"
#include "WinTypes.h"

#include <functional>
#include <optional>

class QWidget;

class CFontDialog {
public:
    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = 0,
                         QWidget* parent = nullptr);

    INT_PTR DoModal();
    const LOGFONT& GetLogFont() const { return m_lf; }
    void SetLogFont(const LOGFONT& lf) { m_lf = lf; }
    bool HasInitial() const { return m_initial.has_value(); }

    using Responder = std::function<int(CFontDialog&)>;
    static Responder SetResponder(Responder responder);

private:
    std::optional<LOGFONT> m_initial;
    LOGFONT m_lf;
    QWidget* m_parent;
};
