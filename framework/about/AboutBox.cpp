#include "AboutBox.h"

#include "framework/app/Application.h"

void ShowAboutBox(HWND parent) {
    AboutBox box;
    box.appPage.Create(box, LocalizedResourceName(L"FAboutApp").c_str());
    box.memoryPage.Create(box, LocalizedResourceName(L"FAboutMemory").c_str());
    box.batteryPage.Create(box, LocalizedResourceName(L"FAboutBattery").c_str());
    box.Show(parent, PSH_NOAPPLYNOW, LanguageText(L"About...", L"ﾊﾞｰｼﾞｮﾝ情報..."));
}
