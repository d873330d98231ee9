#pragma once

// The application object of a program that carries the run-time layer: the
// translation is unloaded (and its file name written to the profile) at exit.
// Loading it is the program's own InitInstance's first step.

#include "CWinApp.h"

class __X_CWinApp : public CWinApp {
public:
    using CWinApp::CWinApp;

    int ExitInstance() override;
};
