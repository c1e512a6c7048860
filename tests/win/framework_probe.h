// Resource ids of the probe dialog that the dialog layer is tested with.
#pragma once

#define IDD_PROBE 100
#define IDC_SHORT 201
#define IDC_FREE 202
#define IDC_CHECK 203
#define IDC_CLICK 204
#define IDS_PROBE 1
