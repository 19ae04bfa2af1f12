// res/resource.h
// Resource and command ids of Vestrel; usable from C++ and from .rc files.
#pragma once

#define IDR_MAINFRAME           128
#define IDD_ABOUTBOX            100

#define IDB_TOOLBAR_DISABLED    131
#define IDB_TOOLBAR_HOT         133
#define IDB_TOOLBAR_NORMAL      134

#define IDC_PRODUCT_LINE        1000
#define IDC_LINK_BUY            1003
#define IDC_LINK_SUPPORT        1004
#define IDC_LINK_WEB            1005

#define ID_ANALYZE_ADDRESS      32774
#define ID_ANALYZE_SYSTEM       32775
#define ID_ANALYZE_DOCUMENT     32776
#define ID_ANALYZE_RUN          32777
#define ID_ANALYZE_LOGON        32778
#define ID_ANALYZE_SEARCH       32779
#define ID_ANALYZE_COMPUTER     32780
#define ID_ANALYZE_FORM         32781
#define ID_ANALYZE_PASSWORD     32782
#define ID_ANALYZE_TELNET       32784
#define ID_ANALYZE_NET          32785
#define ID_CLEAN_HISTORY        32786
#define ID_ANALYZE_CACHE        32789
#define ID_ANALYZE_HISTORY      32790
#define ID_ANALYZE_COOKIE       32791
