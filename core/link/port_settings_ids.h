/* Control ids of the port settings dialog (shared by its .rc and C++). */
#pragma once

#define IDC_PORT_PARALLEL_NAME 40010
#define IDC_PORT_SERIAL_NAME 40007
#define IDC_PORT_BAUD_RATE 1046
#define IDC_PORT_PARITY 1045
#define IDC_PORT_DATA_BITS 1047
#define IDC_PORT_STOP_BITS 1043
#define IDC_PORT_DEFAULTS 1024
#define IDC_PORT_ADVANCED 1064
#define IDC_PORT_NETWORK_HOST 1050
#define IDC_PORT_NETWORK_PORT 1051
