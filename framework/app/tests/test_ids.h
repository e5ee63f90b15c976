// Resource identifiers of the framework's test and demonstration templates.
#pragma once

// The frame's menu: File with Exit
#define IDM_TEST_MENU 200
#define IDC_TEST_EXIT 40102
