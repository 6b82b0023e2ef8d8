/* LD_PRELOAD library: logs the serial line settings applied to one tty.
 *
 * E2E_LINE_TTY  the tty device to watch (for example /dev/pts/3)
 * E2E_LINE_LOG  file that receives one line per call
 *
 * Logged calls on that tty (the values asked for):
 *   tcsetattr  -> "tcsetattr baud=9600 bits=8 parenb=0 parodd=0 cstopb=0 crtscts=0"
 *   ioctl TIOCMSET/TIOCMBIS/TIOCMBIC -> "modem dtr=1 rts=0 (<call>)"
 * A pseudo-terminal has no modem lines, so TIOCMGET fails there and a caller
 * that reads, changes and writes the lines never gets to write them. On the
 * watched tty this library keeps the modem lines itself, so those writes
 * happen and can be seen. Likewise a pty forces 8 data bits and no parity,
 * so tcgetattr on the watched tty reports the data bits, parity and stop
 * bits last set, as a serial port would.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

static unsigned int modem_lines; /* emulated TIOCM_* state of the watched tty */

/* A pseudo-terminal forces 8 data bits and no parity; a serial port keeps
 * what was set. The frame bits last set on the watched tty, given back by
 * tcgetattr so that a caller's read-modify-write keeps them, as on a port. */
static const tcflag_t frame_bits = CSIZE | PARENB | PARODD | CSTOPB;
static tcflag_t frame_set;
static int frame_known;

static int is_watched(int fd)
{
    const char *want = getenv("E2E_LINE_TTY");
    if (!want || !*want) return 0;
    char link[64], target[256];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0) return 0;
    target[n] = 0;
    return strcmp(target, want) == 0;
}

static void log_line(const char *text)
{
    const char *path = getenv("E2E_LINE_LOG");
    if (!path || !*path) return;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    ssize_t unused = write(fd, text, strlen(text));
    (void)unused;
    close(fd);
}

static unsigned long baud_of(speed_t s)
{
    switch (s) {
    case B0: return 0;
    case B50: return 50;
    case B75: return 75;
    case B110: return 110;
    case B134: return 134;
    case B150: return 150;
    case B200: return 200;
    case B300: return 300;
    case B600: return 600;
    case B1200: return 1200;
    case B1800: return 1800;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 1; /* unknown code */
    }
}

static int bits_of(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

int tcsetattr(int fd, int when, const struct termios *t)
{
    static int (*real)(int, int, const struct termios *);
    if (!real) real = (int (*)(int, int, const struct termios *))dlsym(RTLD_NEXT, "tcsetattr");
    if (t && is_watched(fd)) {
        char line[256];
        snprintf(line, sizeof line,
                 "tcsetattr baud=%lu bits=%d parenb=%d parodd=%d cstopb=%d crtscts=%d\n",
                 baud_of(cfgetospeed(t)), bits_of(t->c_cflag), !!(t->c_cflag & PARENB),
                 !!(t->c_cflag & PARODD), !!(t->c_cflag & CSTOPB), !!(t->c_cflag & CRTSCTS));
        log_line(line);
        frame_set = t->c_cflag & frame_bits;
        frame_known = 1;
    }
    return real(fd, when, t);
}

int tcgetattr(int fd, struct termios *t)
{
    static int (*real)(int, struct termios *);
    if (!real) real = (int (*)(int, struct termios *))dlsym(RTLD_NEXT, "tcgetattr");
    int r = real(fd, t);
    if (r == 0 && t && frame_known && is_watched(fd)) t->c_cflag = (t->c_cflag & ~frame_bits) | frame_set;
    return r;
}

int ioctl(int fd, unsigned long request, ...)
{
    static int (*real)(int, unsigned long, ...);
    if (!real) real = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    va_list ap;
    va_start(ap, request);
    void *arg = va_arg(ap, void *);
    va_end(ap);

    if ((request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS ||
         request == TIOCMBIC) && arg && is_watched(fd)) {
        unsigned int *bits = (unsigned int *)arg;
        const char *name = "TIOCMGET";
        switch (request) {
        case TIOCMGET: *bits = modem_lines; return 0;
        case TIOCMSET: modem_lines = *bits; name = "TIOCMSET"; break;
        case TIOCMBIS: modem_lines |= *bits; name = "TIOCMBIS"; break;
        default: modem_lines &= ~*bits; name = "TIOCMBIC"; break;
        }
        char line[128];
        snprintf(line, sizeof line, "modem dtr=%d rts=%d (%s)\n", !!(modem_lines & TIOCM_DTR),
                 !!(modem_lines & TIOCM_RTS), name);
        log_line(line);
        return 0;
    }
    return real(fd, request, arg);
}
