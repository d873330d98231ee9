// ids.h: what the resource editor wrote
#define IDR_MAINFRAME 128
#define IDR_CONTEXT   129
#define IDB_LOGO      130
#define IDC_HAND      131
#define IDD_ABOUTBOX  100
#define IDD_OLD       101
#define IDC_LIST      1000
#define IDC_SLIDER    1001
#define IDC_EDIT      1002
#define IDC_RADIO     1003
#define IDC_EURO      1004
#define IDC_COMBO     1005
#define IDS_TABS      200
#define IDS_SECOND    201
#define IDS_DUPLICATE 202
