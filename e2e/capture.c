/* Port capture for the end-to-end run.
 *
 * usage: capture <dir>
 *
 * Opens a pseudo-terminal and keeps both ends open, links <dir>/com1 to the
 * slave, creates the FIFO <dir>/lpt1, and appends every byte read from the
 * pty master to <dir>/serial.bin and every byte read from the FIFO to
 * <dir>/parallel.bin (written at once, so a file's size is the byte count
 * so far).
 * Writes the slave path to <dir>/pty and then creates <dir>/ready.
 * Whoever creates <dir>/sync.req gets it deleted once every byte written
 * to the ports before has been appended to the files.
 * COM1 answers status requests (DLE EOT n) and identity requests (GS I n)
 * like a printer, in the state named in <dir>/printer-state (see states[]
 * below; no file: ready).
 * While <dir>/serial.rate exists, holding a number of bytes per second, COM1
 * is read no faster than that, like a slow serial line (a name without
 * "com1": Windows takes com1.anything for the port itself).
 * Runs until SIGTERM or SIGINT.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

static volatile sig_atomic_t stop_requested;

static void on_signal(int sig) { (void)sig; stop_requested = 1; }

static void die(const char *what)
{
    fprintf(stderr, "capture: %s: %s\n", what, strerror(errno));
    exit(1);
}

static void join(char *out, size_t size, const char *dir, const char *name)
{
    if ((size_t)snprintf(out, size, "%s/%s", dir, name) >= size) {
        fprintf(stderr, "capture: path too long\n");
        exit(1);
    }
}

static int open_sink(const char *dir, const char *name)
{
    char path[4096];
    join(path, sizeof path, dir, name);
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
    if (fd < 0) die(path);
    return fd;
}

static void write_all(int fd, const char *buf, ssize_t n)
{
    while (n > 0) {
        ssize_t w = write(fd, buf, (size_t)n);
        if (w < 0) {
            if (errno == EINTR) continue;
            die("write");
        }
        buf += w;
        n -= w;
    }
}

/* The virtual printer's answers to DLE EOT 1..4 in each state it can be
 * put in; a printer that is offline takes no GS I. */
static const struct printer_state {
    const char *name;
    unsigned char status[4];
    int silent;  /* answers nothing */
    int garbage; /* answers bytes that are no status */
} states[] = {
    {"ready", {0x12, 0x12, 0x12, 0x12}, 0, 0},
    {"paper-out", {0x1A, 0x32, 0x12, 0x7E}, 0, 0},
    {"cover-open", {0x1A, 0x16, 0x12, 0x12}, 0, 0},
    {"silent", {0}, 1, 0},
    {"garbage", {0}, 0, 1},
};

/* Its answers to GS I n: an id byte, or a text (sent as 5F text 00). */
static const struct identity {
    unsigned char n;
    const char *text;
    unsigned char id;
} identities[] = {
    {1, NULL, 0x01}, {2, NULL, 0x03}, {3, NULL, 0x01},
    {65, "1.00", 0}, {66, "PosPrinterTester", 0}, {67, "VIRTUAL PRINTER", 0}, {68, "E2E-COM1", 0},
};

static char state_path[4096];

static const struct printer_state *current_state(void)
{
    char name[64] = "";
    FILE *f = fopen(state_path, "r");
    if (f) {
        if (!fgets(name, sizeof name, f)) name[0] = 0;
        fclose(f);
        name[strcspn(name, "\r\n")] = 0;
    }
    for (size_t i = 0; i < sizeof states / sizeof states[0]; i++)
        if (strcmp(states[i].name, name) == 0) return &states[i];
    return &states[0];
}

/* Best effort: an answer nobody reads is dropped once the line is full. */
static void answer(int fd, const unsigned char *bytes, size_t n)
{
    while (n > 0) {
        ssize_t w = write(fd, bytes, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return;
        bytes += w;
        n -= (size_t)w;
    }
}

/* Watches the bytes sent to COM1 for requests and answers them. */
static void answer_requests(int fd, const unsigned char *buf, ssize_t n)
{
    static unsigned char last[2];
    for (ssize_t i = 0; i < n; i++) {
        unsigned char b = buf[i];
        const struct printer_state *s = NULL;
        if ((last[0] == 0x10 && last[1] == 0x04 && b >= 1 && b <= 4) || (last[0] == 0x1D && last[1] == 'I'))
            s = current_state();
        if (s && !s->silent) {
            static const unsigned char noise[] = {0xFF, 0x00, 0x55};
            if (s->garbage) {
                answer(fd, noise, sizeof noise);
            } else if (last[0] == 0x10) {
                answer(fd, &s->status[b - 1], 1);
            } else if (!(s->status[0] & 0x08)) {
                for (size_t k = 0; k < sizeof identities / sizeof identities[0]; k++) {
                    const struct identity *id = &identities[k];
                    if (id->n != b) continue;
                    if (!id->text) {
                        answer(fd, &id->id, 1);
                    } else {
                        unsigned char text[128];
                        size_t len = strlen(id->text);
                        text[0] = 0x5F;
                        memcpy(text + 1, id->text, len);
                        text[len + 1] = 0;
                        answer(fd, text, len + 2);
                    }
                }
            }
        }
        last[0] = last[1];
        last[1] = b;
    }
}

/* Reads what is there; returns 0 when nothing (more) can be read now.
 * `replies` >= 0: the port answers requests there. */
static int drain(int from, int to, int replies)
{
    char buf[8192];
    ssize_t n = read(from, buf, sizeof buf);
    if (n > 0) {
        write_all(to, buf, n);
        if (replies >= 0) answer_requests(replies, (const unsigned char *)buf, n);
        return 1;
    }
    return 0;
}

/* The rate in <path>, or 0 when there is none. */
static long line_rate(const char *path)
{
    if (access(path, F_OK) != 0) return 0;
    FILE *f = fopen(path, "r");
    long rate = 0;
    if (f && fscanf(f, "%ld", &rate) != 1) rate = 0;
    if (f) fclose(f);
    return rate;
}

static long long now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

/* Reads at most what `rate` allows since the last call into `to`. */
static void drain_paced(int from, int to, long rate, long long *last, double *allowance)
{
    long long now = now_ms();
    *allowance += (double)rate * (double)(now - *last) / 1000.0;
    if (*allowance > rate / 10.0) *allowance = rate / 10.0; /* no bursts after a pause */
    *last = now;
    char buf[8192];
    size_t want = *allowance < (double)sizeof buf ? (size_t)*allowance : sizeof buf;
    if (want == 0) return;
    ssize_t n = read(from, buf, want);
    if (n > 0) {
        write_all(to, buf, n);
        *allowance -= (double)n;
    }
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: capture <dir>\n");
        return 2;
    }
    const char *dir = argv[1];
    char path[4096], tmp[4096];

    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_signal;
    sigaction(SIGTERM, &sa, NULL);
    sigaction(SIGINT, &sa, NULL);
    signal(SIGPIPE, SIG_IGN);

    int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0) die("posix_openpt");
    if (grantpt(master) != 0 || unlockpt(master) != 0) die("grantpt/unlockpt");
    const char *slave_name = ptsname(master);
    if (!slave_name) die("ptsname");
    char slave_path[256];
    snprintf(slave_path, sizeof slave_path, "%s", slave_name);

    /* Hold the slave open so that the line keeps its settings and the
     * master never sees a hang-up between the program's opens. */
    int slave = open(slave_path, O_RDWR | O_NOCTTY);
    if (slave < 0) die(slave_path);
    struct termios tio;
    if (tcgetattr(slave, &tio) != 0) die("tcgetattr");
    cfmakeraw(&tio); /* a serial port passes bytes unchanged */
    cfsetispeed(&tio, B38400);
    cfsetospeed(&tio, B38400);
    if (tcsetattr(slave, TCSANOW, &tio) != 0) die("tcsetattr");

    join(path, sizeof path, dir, "com1");
    join(tmp, sizeof tmp, dir, "com1.tmp");
    unlink(tmp);
    if (symlink(slave_path, tmp) != 0) die("symlink");
    if (rename(tmp, path) != 0) die("rename");

    join(path, sizeof path, dir, "lpt1");
    unlink(path);
    if (mkfifo(path, 0666) != 0) die("mkfifo");
    /* Read-write, so the FIFO never reports end of file between writers
     * and a writer's open never blocks. */
    int fifo = open(path, O_RDWR | O_NONBLOCK);
    if (fifo < 0) die(path);

    int com_sink = open_sink(dir, "serial.bin");
    int lpt_sink = open_sink(dir, "parallel.bin");

    join(path, sizeof path, dir, "pty");
    FILE *f = fopen(path, "w");
    if (!f) die(path);
    fprintf(f, "%s\n", slave_path);
    fclose(f);
    join(path, sizeof path, dir, "ready");
    f = fopen(path, "w");
    if (!f) die(path);
    fclose(f);

    join(state_path, sizeof state_path, dir, "printer-state");
    char sync_path[4096], rate_path[4096];
    join(sync_path, sizeof sync_path, dir, "sync.req");
    join(rate_path, sizeof rate_path, dir, "serial.rate");
    long long paced_since = now_ms();
    double allowance = 0;
    struct pollfd fds[2] = {{master, POLLIN, 0}, {fifo, POLLIN, 0}};
    while (!stop_requested) {
        long rate = line_rate(rate_path);
        fds[0].events = rate > 0 ? 0 : POLLIN;
        if (rate > 0) drain_paced(master, com_sink, rate, &paced_since, &allowance);
        else paced_since = now_ms();
        int r = poll(fds, 2, 5);
        if (r < 0) {
            if (errno == EINTR) continue;
            die("poll");
        }
        if (fds[0].revents & POLLIN) while (drain(master, com_sink, master)) {}
        if (fds[1].revents & POLLIN) while (drain(fifo, lpt_sink, -1)) {}
        /* A sync request: take in everything written so far, which has
         * reached the pty master once the line has been quiet a moment. */
        if (access(sync_path, F_OK) == 0) {
            while (poll(fds, 2, 20) > 0) {
                while (drain(master, com_sink, master)) {}
                while (drain(fifo, lpt_sink, -1)) {}
            }
            unlink(sync_path);
        }
    }
    while (drain(master, com_sink, master)) {}
    while (drain(fifo, lpt_sink, -1)) {}
    return 0;
}
