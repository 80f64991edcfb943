#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A stand-in for the vendor's web service on 127.0.0.1 (vendorserver.py): one port that speaks
// plain HTTP and HTTPS, with a certificate made for the run by a CA of its own (caFile()). Tests
// script what it answers per path and read back every request it received.
class VendorServer
{
public:
    enum class Scheme { Any, Http, Https };

    // What the server answers on a path.
    struct Reply {
        int status = 200;
        QString body;
        QByteArray contentType = "text/html; charset=UTF-8";
        QByteArray encoding = "utf-8"; // the Python codec that turns body into bytes
        int repeat = 1;                // the body this many times over
        bool silent = false;           // never answer, hold the connection open
        bool held = false;             // answer only once release() is called
    };

    // A request as it arrived.
    struct Request {
        QString scheme; // "http" or "https"
        QString method;
        QString path; // with its query, if any
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        // The value of the first header of that name (compared without regard to case); a
        // null QByteArray when there is none.
        QByteArray header(const QByteArray &name) const;
    };

    // Starts the server and waits until it listens; isRunning() tells whether it did.
    VendorServer();
    ~VendorServer();
    VendorServer(const VendorServer &) = delete;
    VendorServer &operator=(const VendorServer &) = delete;

    bool isRunning() const { return m_port != 0; }
    QString errorString() const { return m_error; }

    // "127.0.0.1:<port>": the host to put after "http://" or "https://", or into
    // HUSHMILL_VENDOR_HOST.
    QString hostAndPort() const;
    // The certificate of the CA that signed the server's certificate, for HUSHMILL_CA_FILE.
    QString caFile() const { return m_caFile; }

    void setReply(const QString &path, const Reply &reply, Scheme scheme = Scheme::Any);
    QList<Request> requests();
    void clearRequests();
    // Lets requests held by a reply with `held` be answered, those waiting and those still to
    // come, until the next setReply().
    void release();

private:
    QJsonObject readAnswer();
    QJsonObject command(const QJsonObject &command);

    QTemporaryDir m_folder;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_caFile;
    QString m_error;
};
