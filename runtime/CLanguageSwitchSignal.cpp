#include "CLanguageSwitchSignal.h"

CLanguageSwitchSignal& CLanguageSwitchSignal::Get()
{
    static CLanguageSwitchSignal signal;
    return signal;
}
