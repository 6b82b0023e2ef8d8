/* Harness self-check: writes known bytes to com1 (9600 8N1, DTR on; then
 * sets 19200 7E2) and to lpt1 (overlapped handle), the same way a printer
 * program would.
 * Prints one line per port and exits non-zero on any failed call. */
#include <windows.h>
#include <stdio.h>

static const char kCom[] = "probe-com1\r\n\x00\x1b\xff";
static const char kLpt[] = "probe-lpt1\r\n\x00\x1b\xff";

static int probe_com(void)
{
    HANDLE h = CreateFileA("com1", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        printf("com1: open failed (%lu)\n", GetLastError());
        return 1;
    }
    DCB dcb;
    ZeroMemory(&dcb, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    GetCommState(h, &dcb);
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    if (!SetCommState(h, &dcb)) {
        printf("com1: SetCommState failed (%lu)\n", GetLastError());
        CloseHandle(h);
        return 1;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(h, kCom, sizeof kCom - 1, &written, NULL);
    /* Another frame, which must show in the line log as asked for. */
    dcb.BaudRate = 19200;
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.StopBits = TWOSTOPBITS;
    if (!SetCommState(h, &dcb)) printf("com1: SetCommState 19200 7E2 failed (%lu)\n", GetLastError());
    CloseHandle(h);
    printf("com1: wrote %lu of %u\n", written, (unsigned)(sizeof kCom - 1));
    return ok && written == sizeof kCom - 1 ? 0 : 1;
}

static int probe_lpt(void)
{
    HANDLE h = CreateFileA("lpt1", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                           FILE_FLAG_OVERLAPPED, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        printf("lpt1: open failed (%lu)\n", GetLastError());
        return 1;
    }
    OVERLAPPED ov;
    ZeroMemory(&ov, sizeof ov);
    ov.hEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    DWORD written = 0;
    BOOL ok = WriteFile(h, kLpt, sizeof kLpt - 1, NULL, &ov);
    if (!ok && GetLastError() == ERROR_IO_PENDING) ok = TRUE;
    if (ok) ok = GetOverlappedResult(h, &ov, &written, TRUE);
    CloseHandle(ov.hEvent);
    CloseHandle(h);
    printf("lpt1: wrote %lu of %u\n", written, (unsigned)(sizeof kLpt - 1));
    return ok && written == sizeof kLpt - 1 ? 0 : 1;
}

int main(void)
{
    int failures = probe_com();
    failures += probe_lpt();
    return failures ? 1 : 0;
}
