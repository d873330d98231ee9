#pragma once
// a header may hold C code; only its directives count
#define IDS_HALLO 42
#define IDS_WELT (IDS_HALLO + 1) \
                 /* continued */
int unused(void);
