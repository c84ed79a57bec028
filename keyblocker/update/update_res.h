// Resource and control ids of the update dialog.
#pragma once

#define IDD_CHECK_UPDATES 135

#define IDS_UPD_CHECKING 108
#define IDS_UPD_CANNOT_CONNECT 109
#define IDS_UPD_NONE 110
#define IDS_UPD_AVAILABLE 111

#define IDC_UPD_YES 1008
#define IDC_UPD_NO 1009
#define IDC_UPD_CLOSE_AFTER_DL 1013
#define IDC_UPD_CLOSE 1014
#define IDC_UPD_STATUS 1015
