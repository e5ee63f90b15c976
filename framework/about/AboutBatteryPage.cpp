#include "AboutBatteryPage.h"

#include "AboutRows.h"
#include "framework/app/Application.h"
#include "platform/DeviceStatus.h"
#include "resources/about_ids.h"

void AboutBatteryPage::PaintRows(HDC dc) {
    SYSTEM_POWER_STATUS_EX power = {};
    if (!GetSystemPowerStatusEx(&power, FALSE)) {
        // Nothing known: both rows say so.
        power.BatteryFlag = power.BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
        power.BatteryLifePercent = power.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    }
    DrawBatteryRow(dc, 4, 4, power.BatteryLifePercent, power.BatteryFlag, IDI_BATTERY,
                   LanguageText(L"Main Battery", L"ﾒｲﾝﾊﾞｯﾃﾘ"));
    DrawBatteryRow(dc, 4, 46, power.BackupBatteryLifePercent, power.BackupBatteryFlag, IDI_BATTERY,
                   LanguageText(L"Backup Battery", L"ﾊﾞｯｸｱｯﾌﾟﾊﾞｯﾃﾘ"));
}
