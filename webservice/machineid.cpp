#include "webservice/machineid.h"

#include "base/apperror.h"
#include "platform/systeminfo.h"

#include <QMessageAuthenticationCode>
#include <cerrno>

namespace
{
// The program's fixed key: the same machine gives other programs other identifiers.
constexpr char machineIdKey[] = "Hushmill machine identifier 5f0c2a8e-6b1d-4d57-9a3e-2c71e84b9f06";
} // namespace

QString machineIdFrom(const QByteArray &systemMachineId)
{
    const QByteArray id = systemMachineId.trimmed();
    if (id.isEmpty())
        return {};
    const QByteArray hex =
        QMessageAuthenticationCode::hash(id, machineIdKey, QCryptographicHash::Sha256)
            .left(16)
            .toHex();
    return QString::fromLatin1(hex.left(8) + '-' + hex.mid(8, 4) + '-' + hex.mid(12, 4) + '-' +
                               hex.mid(16, 4) + '-' + hex.mid(20, 12));
}

QString machineIdFromFile(const QString &path)
{
    const platform::SystemFile file = platform::readSystemFile(path);
    if (file.error == ENOENT)
        return {};
    if (file.error != 0)
        throw OSError(file.error);
    return machineIdFrom(file.text);
}

QString GetMachineId()
{
    return machineIdFromFile(platform::machineIdPath);
}
