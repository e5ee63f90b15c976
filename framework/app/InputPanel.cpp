#include "InputPanel.h"

#include "platform/SoftInputPanel.h"

int GetSipHeight() {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    if ((info.fdwFlags & SIPF_ON) == 0) {
        return 0;
    }
    return info.rcSipRect.bottom - info.rcSipRect.top;
}

bool ShowSip() {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    info.fdwFlags |= SIPF_ON;
    SipSetInfo(&info);
    return true;
}
