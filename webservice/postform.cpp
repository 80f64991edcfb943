#include "webservice/postform.h"

#include "base/apperror.h"
#include "webservice/backgroundwork.h"
#include "webservice/formencoding.h"
#include "webservice/replydecoding.h"

#include <QElapsedTimer>
#include <curl/curl.h>
#include <memory>
#include <type_traits>

namespace
{

// How often a transfer wakes up to look at its idle time.
constexpr int watchdogTickMs = 25;

// What the callbacks of one exchange share with PostForm.
struct Exchange {
    int idleLimitMs = 0;
    QByteArray body;
    bool tooLarge = false;
    bool connected = false;
    bool idleTimedOut = false;
    bool programEnding = false;
    QElapsedTimer sinceActivity;
    curl_off_t downloaded = 0;
    curl_off_t uploaded = 0;
};

size_t collectBody(char *data, size_t size, size_t count, void *userdata)
{
    auto *exchange = static_cast<Exchange *>(userdata);
    const size_t bytes = size * count;
    if (bytes > size_t(maxReplyBytes - exchange->body.size())) {
        exchange->tooLarge = true;
        return 0; // anything short of bytes ends the transfer with an error
    }
    exchange->body.append(data, qsizetype(bytes));
    return bytes;
}

// Called once the connection (and its TLS handshake) stands: from here the read time-out counts.
int startReadClock(void *clientp, char *, char *, int, int)
{
    auto *exchange = static_cast<Exchange *>(clientp);
    exchange->connected = true;
    exchange->sinceActivity.start();
    return CURL_PREREQFUNC_OK;
}

// The read time-out: ends the transfer when no byte has moved for idleLimitMs once connected.
int watchIdleTime(void *clientp, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded)
{
    auto *exchange = static_cast<Exchange *>(clientp);
    if (!exchange->connected)
        return 0;
    if (downloaded != exchange->downloaded || uploaded != exchange->uploaded) {
        exchange->downloaded = downloaded;
        exchange->uploaded = uploaded;
        exchange->sinceActivity.start();
        return 0;
    }
    exchange->idleTimedOut = exchange->sinceActivity.hasExpired(exchange->idleLimitMs);
    return exchange->idleTimedOut ? 1 : 0;
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using MultiHandle = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

template <typename T> void setOption(CURL *easy, CURLoption option, T value)
{
    static_assert(!std::is_same_v<T, int>, "libcurl reads numbers as long");
    const CURLcode result = curl_easy_setopt(easy, option, value);
    if (result != CURLE_OK)
        throw AppError(QString::fromUtf8(curl_easy_strerror(result)));
}

void addHeader(HeaderList &headers, const char *header)
{
    curl_slist *const longer = curl_slist_append(headers.get(), header);
    if (!longer)
        throw std::bad_alloc();
    headers.release();
    headers.reset(longer);
}

// Runs the transfer in a multi handle of its own, waking every watchdogTickMs so that the read
// time-out is checked even while the server is silent, and so that the end of the program
// stops the transfer where it stands. The multi handle holds the connection cache, so freeing
// it closes the connection.
CURLcode perform(CURL *easy, Exchange &exchange)
{
    const MultiHandle multi(curl_multi_init(), &curl_multi_cleanup);
    if (!multi)
        throw std::bad_alloc();
    CURLMcode status = curl_multi_add_handle(multi.get(), easy);
    int running = 1;
    while (status == CURLM_OK) {
        status = curl_multi_perform(multi.get(), &running);
        if (status != CURLM_OK || running == 0)
            break;
        status = curl_multi_poll(multi.get(), nullptr, 0, watchdogTickMs, nullptr);
        exchange.programEnding = backgroundWorkEnding();
        if (exchange.programEnding)
            break;
    }
    CURLcode result = CURLE_FAILED_INIT;
    int queued = 0;
    while (const CURLMsg *message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), easy);
    if (status != CURLM_OK)
        throw AppError(QString::fromUtf8(curl_multi_strerror(status)));
    return result;
}

} // namespace

QString PostForm(const QString &address, const QStringList &fields, int timeoutMs)
{
    if (backgroundWorkEnding())
        throw AppError(QStringLiteral("The program is ending"));
    const bool encrypted = address.toLower().startsWith(QLatin1String("https://"));
    const QByteArray url = address.toUtf8();
    const QByteArray body = encodeFormFields(fields);
    const QByteArray extraCaFile = qgetenv("HUSHMILL_CA_FILE");
    Exchange exchange;
    exchange.idleLimitMs = timeoutMs;
    char errorText[CURL_ERROR_SIZE] = {};

    const EasyHandle easy(curl_easy_init(), &curl_easy_cleanup);
    if (!easy)
        throw std::bad_alloc();
    HeaderList headers(nullptr, &curl_slist_free_all);
    addHeader(headers, "Content-Type: application/x-www-form-urlencoded; charset=UTF-8");
    addHeader(headers, "Expect:"); // no waiting for "100 Continue" before a longer body
    if (encrypted)
        addHeader(headers, "Connection: close");

    CURL *const handle = easy.get();
    setOption(handle, CURLOPT_ERRORBUFFER, errorText);
    setOption(handle, CURLOPT_NOSIGNAL, 1L);
    // A name lookup still running when the transfer stops is left to end on its own thread.
    setOption(handle, CURLOPT_QUICK_EXIT, 1L);
    setOption(handle, CURLOPT_URL, url.constData());
    setOption(handle, CURLOPT_DEFAULT_PROTOCOL, "http");
    setOption(handle, CURLOPT_PROTOCOLS_STR, encrypted ? "https" : "http");
    setOption(handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    setOption(handle, CURLOPT_USERAGENT, "Hushmill");
    setOption(handle, CURLOPT_HTTPHEADER, headers.get());
    setOption(handle, CURLOPT_POST, 1L);
    setOption(handle, CURLOPT_POSTFIELDS, body.constData());
    setOption(handle, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    setOption(handle, CURLOPT_CONNECTTIMEOUT_MS, long(timeoutMs));
    setOption(handle, CURLOPT_PREREQFUNCTION, &startReadClock);
    setOption(handle, CURLOPT_PREREQDATA, &exchange);
    setOption(handle, CURLOPT_NOPROGRESS, 0L);
    setOption(handle, CURLOPT_XFERINFOFUNCTION, &watchIdleTime);
    setOption(handle, CURLOPT_XFERINFODATA, &exchange);
    setOption(handle, CURLOPT_WRITEFUNCTION, &collectBody);
    setOption(handle, CURLOPT_WRITEDATA, &exchange);
    // The file takes the place of libcurl's CA bundle; its CA folder (the system's certificates)
    // stays in force, so the system's authorities are still trusted.
    if (encrypted && !extraCaFile.isEmpty())
        setOption(handle, CURLOPT_CAINFO, extraCaFile.constData());

    const CURLcode result = perform(handle, exchange);
    if (exchange.programEnding)
        throw AppError(QStringLiteral("The program is ending"));
    if (exchange.tooLarge)
        throw AppError(QStringLiteral("The reply is larger than %1 bytes").arg(maxReplyBytes));
    if (exchange.idleTimedOut)
        throw AppError(QStringLiteral("The server sent nothing for %1 ms").arg(timeoutMs));
    if (result != CURLE_OK)
        throw AppError(QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(result)));

    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (!encrypted && status >= 400)
        throw AppError(QStringLiteral("The server answered with status %1").arg(status));
    const char *contentType = nullptr;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType);
    return decodeReplyBody(exchange.body, contentType);
}

WebClientSetup::WebClientSetup()
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

WebClientSetup::~WebClientSetup()
{
    // Work still inside the library must leave it before its global state is freed; should
    // some never leave, the state stays for the few moments until the process is gone.
    if (endBackgroundWork())
        curl_global_cleanup();
}
