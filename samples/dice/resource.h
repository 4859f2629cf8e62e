#pragma once

#define IDD_START 100
#define IDD_SCORE 101
#define IDC_NAME 1001
#define IDC_ROUNDS 1002
#define IDC_RESULTS 1003
#define IDC_TOTAL 1004
#define IDC_RECORD 1005
