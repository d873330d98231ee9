#define IDS_EXTRA 300
