/* Control ids of the printer status dialog (shared by its .rc and C++). */
#pragma once

#define IDC_STATUS_QUERY 1301
#define IDC_STATUS_RESULTS 1302
