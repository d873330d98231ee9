#pragma once

// Menus are translated by their texts: a live menu is matched to the entry
// of the "Menus" branch whose texts fit it best (through the original texts,
// or through the translated ones when it already shows them), and each item
// takes the translated text of the first entry child with its text.

#include "CWnd.h"

class CMenu;
class CTextNode;
class CWindowTracker;

// A window got its menu: translates its menu bar and tracks the window.
void TranslateFrameMenu(const CWnd& window);
// A popup that belongs to no translated menu bar is about to open.
void TranslatePopupMenu(CMenu* popup);
// The menu bar of a top-level window (and its default menu) against menus.
void TranslateMenuBar(const CWnd& window, const CTextNode* menus);
// The core: chooses the best-fitting entry of menus and applies it.
void TranslateSingleMenu(CMenu& menu, const CTextNode* menus, bool asPopup);
