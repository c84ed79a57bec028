// Resource and control ids of the About page.
#pragma once

#define IDD_ABOUT_PAGE        133

#define IDI_ABOUT_CAPSQUELL   160
#define IDI_ABOUT_CLIPWARDEN  161

#define IDC_ABOUT_HOMEPAGE    1005
#define IDC_ABOUT_VERSION     1006
#define IDC_ABOUT_PRODUCT1    1007
#define IDC_ABOUT_PRODUCT2    1008
#define IDC_ABOUT_PRODUCT1_TEXT 1009
#define IDC_ABOUT_PRODUCT2_TEXT 1010

#define IDS_ABOUT_VERSION     104
