#pragma once

#include "webservice/updatestore.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

// What the window thread hands the update check; fixed before the check starts.
struct UpdateCheckRequest {
    QString AppName;       // "<company> - <product>"
    QString AppVersion;    // "<major>.<minor>"
    QString storeFile;     // the bookkeeping file (UpdateStore::fileFor)
    QString CheckEndpoint; // host and path of the check, without a scheme
    int timeoutMs = 10000; // connect and response time-outs of each attempt
};

// The outcome of the update check, shared by the checker thread and the window thread. The
// checker writes everything before it sets CheckDone (release); the window thread reads
// anything only after it has seen CheckDone (acquire), and from then on it alone uses the
// store.
struct UpdateCheckState {
    std::atomic<bool> CheckDone{false};
    bool NewVersionFound = false;
    int ShowUpdate = 0;
    QString ReplyVersion;
    QString DownloadURL;
    UpdateStore UpdateKeyAccess;
};

// The endpoint of the check on a host: the host followed by "/php/check2.php".
QString checkEndpointOn(const QString &host);

// The background update check: once per run it keeps the bookkeeping, applies the daily limit,
// asks the vendor's service for the current version ("https://" first, once "http://" when that
// fails), checks the reply and leaves its outcome in the shared state. Failures are never
// shown: they are recorded in the checker's own error log and keep the reply from being used.
class TChecker
{
public:
    TChecker(std::shared_ptr<UpdateCheckState> state, UpdateCheckRequest request);

    // Runs a new checker on a thread of its own (named "TChecker"), which frees the checker
    // when Execute returns. False when no thread could be started, the program ending.
    static bool start(std::shared_ptr<UpdateCheckState> state, UpdateCheckRequest request);

    // The whole run: CheckDone false, the check, then CheckDone true as the very last action.
    // Never raises.
    void Execute();
    void CheckNow();

    // The error log of the last check; no window shows it.
    const QString &checkErrorText() const { return CheckErrorText; }
    bool checkErrorFlag() const { return CheckErrorFlag; }

private:
    void RecordCheckError(const QString &message);
    void ClearCheckErrors();
    // The reply to the request, or an empty text with the failures recorded.
    QString send(const QStringList &fields);
    // Reads the reply into the shared state when it is valid.
    void useReply(const QString &reply, bool lastCheckWasToday, int dayCount);

    std::shared_ptr<UpdateCheckState> m_state;
    const UpdateCheckRequest m_request;
    QString CheckErrorText;
    bool CheckErrorFlag = false;
};
