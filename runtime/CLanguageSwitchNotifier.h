#pragma once

// Tells the program that the user-interface language was switched while it
// runs. The trackers re-translate the dialogs and menus they know by their
// texts; windows that load their texts from the string table themselves (dock
// titles, list headers, texts formatted from data) listen here and load them
// anew. The signal comes after the switch is over, so string lookups give
// the new language's texts.

#include <QObject>

class CLanguageSwitchNotifier : public QObject {
    Q_OBJECT
public:
    static CLanguageSwitchNotifier& Get();

    // Sent by a successful switch; a switch that fails sends nothing.
    void NotifySwitched() { emit LanguageSwitched(); }

signals:
    void LanguageSwitched();

private:
    CLanguageSwitchNotifier() = default;
};
