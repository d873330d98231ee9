#define IDS_HELLO 10
#define IDS_WORLD 11
