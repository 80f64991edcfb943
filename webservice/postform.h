#pragma once

#include <QString>
#include <QStringList>

// Posts an HTML form (the fields as encodeFormFields writes them) to address and returns the
// reply body as text, decoded by the charset the reply declares (UTF-8 when none).
// - An address beginning with "https://" in any letter case goes over TLS with the header
//   "Connection: close"; a reply with an error status (404, 500) still returns its body.
// - Any other address (also one without a scheme) goes over plain HTTP; there a status of 400
//   or more is a failure.
// timeoutMs limits the connection (name lookup, connect and TLS handshake) and, on its own, every
// wait for data once connected. A reply body larger than maxReplyBytes is a failure. Every
// failed exchange raises AppError saying what went wrong.
// Blocks the calling thread. Safe on several threads at once: each call has its own client,
// and no connection or cookie outlives it. Once the program is ending (backgroundWorkEnding),
// a call refuses to start and one in progress stops within moments; both raise AppError.
QString PostForm(const QString &address, const QStringList &fields, int timeoutMs);

// The largest reply body PostForm reads, so that a broken or hostile server cannot fill the memory.
inline constexpr qsizetype maxReplyBytes = 1024 * 1024;

// Sets the HTTP library up for the whole process and tears it down again, once background work
// has left it (endBackgroundWork). One instance lives in main() from before any thread starts
// until the end.
class WebClientSetup
{
public:
    WebClientSetup();
    ~WebClientSetup();
    WebClientSetup(const WebClientSetup &) = delete;
    WebClientSetup &operator=(const WebClientSetup &) = delete;
};
