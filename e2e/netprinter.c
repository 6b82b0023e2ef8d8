/* Network printers for the end-to-end run, on loopback ports.
 *
 * usage: netprinter <ports dir> <port> <stalled port>
 *
 * <port> takes every connection, appends what arrives to
 * <ports dir>/network.bin before it closes its side at the end of the
 * client's data, as a raw TCP printer does. <stalled port> accepts
 * connections and never reads from them. Writes <ports dir>/net.ready once
 * both listen; runs until killed. */
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

static int listen_on(int port, int receive_buffer)
{
    int fd = socket(AF_INET, SOCK_STREAM, 0), on = 1;
    struct sockaddr_in a;
    if (fd < 0) return -1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (receive_buffer > 0) setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    memset(&a, 0, sizeof a);
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((unsigned short)port);
    if (bind(fd, (struct sockaddr *)&a, sizeof a) != 0 || listen(fd, 8) != 0) {
        fprintf(stderr, "netprinter: port %d: %s\n", port, strerror(errno));
        exit(1);
    }
    return fd;
}

int main(int argc, char **argv)
{
    struct pollfd fds[MAX_FDS];
    int n = 2, out;
    char path[4096];
    if (argc != 4) {
        fprintf(stderr, "usage: netprinter <ports dir> <port> <stalled port>\n");
        return 2;
    }
    snprintf(path, sizeof path, "%s/network.bin", argv[1]);
    out = open(path, O_WRONLY | O_CREAT | O_APPEND | O_TRUNC, 0644);
    if (out < 0) return 1;
    fds[0].fd = listen_on(atoi(argv[2]), 0);
    fds[1].fd = listen_on(atoi(argv[3]), 4096);
    fds[0].events = fds[1].events = POLLIN;
    snprintf(path, sizeof path, "%s/net.ready", argv[1]);
    close(open(path, O_WRONLY | O_CREAT, 0644));

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
