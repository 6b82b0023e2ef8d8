/* Control ids of the custom command panel and the reference lists
   (shared by their .rc and C++). */
#pragma once

#define IDC_CUSTOM_COMMAND_TEXT 1024
#define IDC_CUSTOM_CHOOSE_FILE 1276
#define IDC_CUSTOM_FILE_PATH 1008
#define IDC_CUSTOM_REFERENCES 1027
#define IDC_CUSTOM_SEND_SERIAL 1025
#define IDC_CUSTOM_SEND_PARALLEL 1030
#define IDC_CUSTOM_SEND_USB 1031
#define IDC_CUSTOM_SEND_NETWORK 1032

#define IDC_REFERENCE_ESCP 1005
#define IDC_REFERENCE_STAR 1104
#define IDC_REFERENCE_OKI 1105
