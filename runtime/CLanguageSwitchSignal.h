#pragma once

// Tells the program that the user-interface language has been switched while
// it runs. Dialogs and menus on screen are translated anew by the layer itself;
// texts it does not track (dock titles, list headings) are loaded again by
// their owners on this signal.

#include <QObject>

class CLanguageSwitchSignal : public QObject {
    Q_OBJECT
public:
    static CLanguageSwitchSignal& Get();

signals:
    // After a successful switch, once the windows on screen show the new language.
    void Switched();
};
