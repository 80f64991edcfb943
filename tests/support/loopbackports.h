#pragma once

#include <QtGlobal>

// A port of 127.0.0.1 where nothing listens: connecting to it is refused.
quint16 closedPort();

// A port of 127.0.0.1 that takes connections (the system completes them) but never reads or
// answers: a TLS handshake with it stalls, and so does a plain request.
class UnansweredPort
{
public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort &) = delete;
    UnansweredPort &operator=(const UnansweredPort &) = delete;

    quint16 port() const { return m_port; }

private:
    quint16 m_port = 0; // before m_socket, which sets it
    int m_socket = -1;
};
