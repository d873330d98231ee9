#pragma once

// The document asks for a flag and for fonts through dialogs that live in the
// frame's floor; this hands them to it. The dialogs belong to the main window.

class CTransDoc;

void InstallDocumentDialogs(CTransDoc& doc);
