#pragma once

// Dialogs are translated by their texts when they initialise: the title and
// the direct controls' texts are compared with every entry of "Dialoge",
// through the original and through the translated texts, and the entry with
// the best score (at least 1.0 of 2.0) gives the new texts. Controls are found
// by their current text, never by control id.

#include "CWnd.h"

class CTextNode;
class QTabWidget;
class QWidget;

// Translation modes: bit 0 marks a page in a tabbed container.
inline constexpr unsigned kPlainDialog = 0;
inline constexpr unsigned kPageWithOwnTitle = 1;
inline constexpr unsigned kPage = 3;

// Translates against the current translation, tracks the dialog and
// translates a menu bar it may have.
void TranslateDialog(const CWnd& dialog, unsigned mode);
// The core against any "Dialoge" branch; false when no entry fitted.
bool TranslateDialogCore(const CWnd& dialog, const CTextNode* dialogs, unsigned mode);

// The tabbed container of which window is a page, or nullptr. Only the direct
// parent counts (with Qt, the container's page stack): a dialog owned by a
// control on a page is no page itself.
QTabWidget* TabContainerOfPage(QWidget* window);
