#include "webservice/updatecheck.h"

#include "base/apperror.h"
#include "webservice/backgroundwork.h"
#include "webservice/localename.h"
#include "webservice/machineid.h"
#include "webservice/osdescription.h"
#include "webservice/postform.h"
#include "webservice/replylines.h"
#include "webservice/scrambling.h"
#include "webservice/updaterules.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <limits>
#include <typeinfo>

namespace
{
const QString invalidServerResponse = QStringLiteral("INVALIDSERVERRESPONSE");

// The readable name of an exception's type, such as "AppError" or "std::bad_alloc".
QString typeName(const std::exception &error)
{
    const char *mangled = typeid(error).name();
    int status = 0;
    char *readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString name = QString::fromLatin1(status == 0 && readable ? readable : mangled);
    std::free(readable);
    return name;
}

// Writes one value; a failure is ignored, as the check goes on without its bookkeeping.
void writeQuietly(UpdateStore &store, const QString &name, const QString &value)
{
    try {
        store.writeString(name, value);
    } catch (const std::exception &) {
    }
}

// Whether a message holds nothing but blanks and control characters.
bool isBlank(const QString &message)
{
    return std::all_of(message.cbegin(), message.cend(),
                       [](QChar c) { return c.unicode() <= u' '; });
}
} // namespace

QString checkEndpointOn(const QString &host)
{
    return host + QStringLiteral("/php/check2.php");
}

TChecker::TChecker(std::shared_ptr<UpdateCheckState> state, UpdateCheckRequest request)
    : m_state(std::move(state)), m_request(std::move(request))
{
}

bool TChecker::start(std::shared_ptr<UpdateCheckState> state, UpdateCheckRequest request)
{
    auto checker = std::make_shared<TChecker>(std::move(state), std::move(request));
    return startBackgroundWork("TChecker", [checker] { checker->Execute(); });
}

void TChecker::Execute()
{
    m_state->CheckDone.store(false);
    try {
        CheckNow();
    } catch (const std::exception &error) {
        RecordCheckError(typeName(error) + QStringLiteral(" Error:\r") + exceptionText(error));
    }
    m_state->CheckDone.store(true, std::memory_order_release);
}

void TChecker::CheckNow()
{
    ClearCheckErrors();

    QString guid;
    try {
        guid = GetMachineId();
    } catch (const std::exception &) {
        RecordCheckError(QStringLiteral("Error: GUID generate problem!"));
    }

    UpdateStore &store = m_state->UpdateKeyAccess;
    try {
        store.open(m_request.storeFile);
    } catch (const std::exception &) {
        RecordCheckError(QStringLiteral("Error: Registry open problem!"));
    }
    const QString lastCheckDay = store.readString(QStringLiteral("LastUpdateCheck"));
    int dayCount = store.readInteger(QStringLiteral("LastUpdateCheckCount"), 0);
    const QString installedVersion = store.readString(QStringLiteral("InstalledVersion"));

    // Checks since the running version was installed, this one included.
    int howMany = std::max(0, store.readInteger(QStringLiteral("HowMany"), 0));
    if (installedVersion != m_request.AppVersion)
        howMany = 0;
    if (howMany < std::numeric_limits<int>::max())
        ++howMany;
    writeQuietly(store, QStringLiteral("HowMany"), QString::number(howMany));
    writeQuietly(store, QStringLiteral("InstalledVersion"), m_request.AppVersion);

    const QString storedUrl = store.readString(QStringLiteral("CurrentURL"));
    if (!storedUrl.isEmpty())
        m_state->DownloadURL = UnscrambleText(storedUrl);
    m_state->ShowUpdate = store.readInteger(QStringLiteral("ShowUpdate"), 1);
    if (m_state->ShowUpdate == 0)
        return;

    const QString today = todayText();
    if (dailyLimitReached(lastCheckDay, today, dayCount))
        return;
    dayCount = dayCountWithRequest(lastCheckDay, today, dayCount);
    writeQuietly(store, QStringLiteral("LastUpdateCheck"), today);
    writeQuietly(store, QStringLiteral("LastUpdateCheckCount"), QString::number(dayCount));

    const QStringList fields{
        QStringLiteral("cmd=check"),
        QStringLiteral("appname=") + m_request.AppName,
        QStringLiteral("version=") + m_request.AppVersion,
        QStringLiteral("os=") + GetOSDescription(),
        QStringLiteral("local=") + GetUserLocaleName(),
        QStringLiteral("guid=") + guid,
        QStringLiteral("howmany=") + QString::number(howMany),
    };
    useReply(send(fields), lastCheckDay == today, dayCount);
}

QString TChecker::send(const QStringList &fields)
{
    try {
        return PostForm(QStringLiteral("https://") + m_request.CheckEndpoint, fields,
                        m_request.timeoutMs);
    } catch (const std::exception &error) {
        RecordCheckError(QStringLiteral("HTTPS Response:\r") + exceptionText(error));
    }
    try {
        const QString reply = PostForm(QStringLiteral("http://") + m_request.CheckEndpoint, fields,
                                       m_request.timeoutMs);
        ClearCheckErrors(); // the retry's reply is used, whatever failed before it
        return reply;
    } catch (const std::exception &error) {
        RecordCheckError(QStringLiteral("HTTP Response:\r") + exceptionText(error));
    }
    return {};
}

void TChecker::useReply(const QString &reply, bool lastCheckWasToday, int dayCount)
{
    const QStringList lines = splitReplyLines(reply);
    if (reply.startsWith(QLatin1String("ERROR")))
        RecordCheckError(invalidServerResponse);
    if (!CheckErrorFlag) {
        const QString result = GetTagValue(lines.value(3), QStringLiteral("result"));
        if (result != QLatin1String("0") && result != QLatin1String("1"))
            RecordCheckError(invalidServerResponse);
    }
    if (CheckErrorFlag)
        return;

    UpdateStore &store = m_state->UpdateKeyAccess;
    m_state->ReplyVersion = GetTagValue(lines.value(0), QStringLiteral("version"));
    writeQuietly(store, QStringLiteral("CurrentVersion"), m_state->ReplyVersion);
    m_state->DownloadURL = GetTagValue(lines.value(1), QStringLiteral("url"));
    writeQuietly(store, QStringLiteral("CurrentURL"), ScrambleText(m_state->DownloadURL));
    m_state->NewVersionFound = reportsOtherVersion(m_state->ReplyVersion, m_request.AppVersion) &&
                               mayOpenNotice(m_state->ShowUpdate, lastCheckWasToday, dayCount);
}

void TChecker::RecordCheckError(const QString &message)
{
    if (isBlank(message))
        return;
    CheckErrorFlag = true;
    if (CheckErrorText.isEmpty())
        CheckErrorText = message;
    else
        CheckErrorText += QStringLiteral("\r\r") + message;
}

void TChecker::ClearCheckErrors()
{
    CheckErrorText.clear();
    CheckErrorFlag = false;
}
