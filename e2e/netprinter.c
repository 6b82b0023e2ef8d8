/* Network printers for the end-to-end run, on free loopback ports.
 *
 * usage: netprinter <ports dir>
 *
 * The printer takes every connection, appends what arrives to
 * <ports dir>/network.bin before it closes its side at the end of the
 * client's data, as a raw TCP printer does. The stalled printer accepts
 * connections and never reads from them. A third port, free when it was
 * chosen, has no listener. Once both listen, writes their three port
 * numbers, "PRINTER STALLED CLOSED", to <ports dir>/net.ready; runs until
 * killed. */
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#define MAX_FDS 64

/* A socket on a free loopback port, listening when `listening`; its port
 * number goes to *port. */
static int open_port(int receive_buffer, int listening, int *port)
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    struct sockaddr_in a;
    socklen_t length = sizeof a;
    if (fd < 0) return -1;
    if (receive_buffer > 0) setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    memset(&a, 0, sizeof a);
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, (struct sockaddr *)&a, sizeof a) != 0 || (listening && listen(fd, 8) != 0) ||
        getsockname(fd, (struct sockaddr *)&a, &length) != 0) {
        fprintf(stderr, "netprinter: %s\n", strerror(errno));
        exit(1);
    }
    *port = ntohs(a.sin_port);
    return fd;
}

int main(int argc, char **argv)
{
    struct pollfd fds[MAX_FDS];
    int n = 2, out, printer, stalled, closed;
    char path[4096], ready[4096];
    FILE *f;
    if (argc != 2) {
        fprintf(stderr, "usage: netprinter <ports dir>\n");
        return 2;
    }
    snprintf(path, sizeof path, "%s/network.bin", argv[1]);
    out = open(path, O_WRONLY | O_CREAT | O_APPEND | O_TRUNC, 0644);
    if (out < 0) return 1;
    fds[0].fd = open_port(0, 1, &printer);
    fds[1].fd = open_port(4096, 1, &stalled);
    close(open_port(0, 0, &closed));
    fds[0].events = fds[1].events = POLLIN;
    snprintf(path, sizeof path, "%s/net.ready.new", argv[1]);
    snprintf(ready, sizeof ready, "%s/net.ready", argv[1]);
    if (!(f = fopen(path, "w"))) return 1;
    fprintf(f, "%d %d %d\n", printer, stalled, closed);
    if (fclose(f) != 0 || rename(path, ready) != 0) return 1;

    for (;;) {
        int i;
        if (poll(fds, (nfds_t)n, -1) < 0 && errno != EINTR) return 1;
        for (i = 0; i < n; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            fds[i].revents = 0;
            if (i < 2) {
                int c = accept(fds[i].fd, NULL, NULL);
                if (c < 0) continue;
                if (i == 1 || n == MAX_FDS) continue; /* stalled: held, never read */
                fds[n].fd = c;
                fds[n].events = POLLIN;
                fds[n].revents = 0;
                ++n;
            } else {
                char buf[65536];
                ssize_t got = read(fds[i].fd, buf, sizeof buf);
                if (got > 0) {
                    if (write(out, buf, (size_t)got) != got) return 1;
                    continue;
                }
                close(fds[i].fd); /* the client's data ended: every byte is in the file */
                fds[i] = fds[--n];
                --i;
            }
        }
    }
}
