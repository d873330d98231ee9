#include "CLanguageSwitchNotifier.h"

CLanguageSwitchNotifier& CLanguageSwitchNotifier::Get()
{
    static CLanguageSwitchNotifier notifier;
    return notifier;
}
