#pragma once

// A small resource set of the tests' own: strings, one menu with its
// accelerators, two dialog templates and one bitmap (a PNG written to a
// temporary folder on first use).

#include "CDialog.h"
#include "LOGFONT.h"
#include "ResourceTypes.h"

namespace testres {

constexpr unsigned kMenuId = 128;
constexpr unsigned kCmdOpen = 32809;     // "Öffnen" with prompt and tooltip
constexpr unsigned kCmdSave = 32811;     // has a handler in the tests
constexpr unsigned kCmdCopy = 57634;     // greyed, "&Kopieren\tStrg+C"
constexpr unsigned kCmdAbout = 57664;
constexpr unsigned kCmdSub = 33001;      // in the nested popup
constexpr unsigned kDialogId = 158;
constexpr unsigned kPictureDialogId = 100;
constexpr unsigned kStripBitmapId = 159; // 3 images of 4 x 2

const res::ResourceSet& Set();
// Installs Set() into CResources (idempotent).
void Install();

// A font record as the editor stores one: 14 pixels, normal weight, a face
// that no test machine has.
LOGFONT TextFont();

// Answers every modal dialog with responder while it lives.
struct Responder {
    explicit Responder(CDialog::ModalResponder r) { CDialog::SetModalResponder(std::move(r)); }
    ~Responder() { CDialog::SetModalResponder({}); }
};

} // namespace testres
