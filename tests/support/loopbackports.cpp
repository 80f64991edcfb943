#include "support/loopbackports.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

// A TCP socket bound to a free port of 127.0.0.1 that the system picks; sets port.
int boundSocket(quint16 &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        qFatal("No free port on 127.0.0.1");
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

quint16 closedPort()
{
    quint16 port = 0;
    ::close(boundSocket(port));
    return port;
}

UnansweredPort::UnansweredPort() : m_socket(boundSocket(m_port))
{
    if (::listen(m_socket, 16) != 0)
        qFatal("Cannot listen on 127.0.0.1");
}

UnansweredPort::~UnansweredPort()
{
    ::close(m_socket);
}
