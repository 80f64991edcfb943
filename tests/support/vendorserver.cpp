#include "support/vendorserver.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace
{
constexpr int answerTimeoutMs = 20000;
}

QByteArray VendorServer::Request::header(const QByteArray &name) const
{
    for (const auto &[headerName, value] : headers) {
        if (headerName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

VendorServer::VendorServer()
{
    // A proxy set in the environment must not stand between the tests and their server.
    qputenv("no_proxy", "127.0.0.1,localhost");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(HUSHMILL_PYTHON),
                    {QStringLiteral(HUSHMILL_VENDOR_SERVER_SCRIPT), m_folder.path(),
                     QStringLiteral(HUSHMILL_OPENSSL)});
    const QJsonObject ready = readAnswer();
    m_port = quint16(ready.value(QLatin1String("port")).toInt());
    m_caFile = ready.value(QLatin1String("ca")).toString();
    if (m_port == 0 && m_error.isEmpty())
        m_error = QStringLiteral("The vendor server did not tell its port");
}

VendorServer::~VendorServer()
{
    m_process.closeWriteChannel(); // the end of its input stops the server
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

QString VendorServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void VendorServer::setReply(const QString &path, const Reply &reply, Scheme scheme)
{
    const QJsonObject script{
        {QStringLiteral("status"), reply.status},
        {QStringLiteral("body"), reply.body},
        {QStringLiteral("contentType"), QString::fromLatin1(reply.contentType)},
        {QStringLiteral("encoding"), QString::fromLatin1(reply.encoding)},
        {QStringLiteral("repeat"), reply.repeat},
        {QStringLiteral("silent"), reply.silent},
        {QStringLiteral("held"), reply.held},
    };
    const QString schemeName = scheme == Scheme::Http    ? QStringLiteral("http")
                               : scheme == Scheme::Https ? QStringLiteral("https")
                                                         : QString();
    command({{QStringLiteral("command"), QStringLiteral("reply")},
             {QStringLiteral("path"), path},
             {QStringLiteral("scheme"), schemeName},
             {QStringLiteral("reply"), script}});
}

QList<VendorServer::Request> VendorServer::requests()
{
    QList<Request> requests;
    const QJsonArray recorded = command({{QStringLiteral("command"), QStringLiteral("requests")}})
                                    .value(QLatin1String("requests"))
                                    .toArray();
    for (const QJsonValue &value : recorded) {
        const QJsonObject object = value.toObject();
        Request request;
        request.scheme = object.value(QLatin1String("scheme")).toString();
        request.method = object.value(QLatin1String("method")).toString();
        request.path = object.value(QLatin1String("path")).toString();
        for (const QJsonValue &header : object.value(QLatin1String("headers")).toArray()) {
            const QJsonArray pair = header.toArray();
            request.headers.append(
                {pair.at(0).toString().toLatin1(), pair.at(1).toString().toLatin1()});
        }
        request.body =
            QByteArray::fromBase64(object.value(QLatin1String("body")).toString().toLatin1());
        requests << request;
    }
    return requests;
}

void VendorServer::clearRequests()
{
    command({{QStringLiteral("command"), QStringLiteral("clear")}});
}

void VendorServer::release()
{
    command({{QStringLiteral("command"), QStringLiteral("release")}});
}

QJsonObject VendorServer::command(const QJsonObject &command)
{
    m_process.write(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n');
    return readAnswer();
}

QJsonObject VendorServer::readAnswer()
{
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(answerTimeoutMs)) {
            m_error =
                QStringLiteral("The vendor server did not answer: %1").arg(m_process.errorString());
            return {};
        }
    }
    return QJsonDocument::fromJson(m_process.readLine()).object();
}
