#include "settings/inifile.h"

#include "base/apperror.h"
#include "platform/atomicfile.h"

#include <QFile>
#include <QStringDecoder>
#include <optional>

namespace
{
const QByteArray ByteOrderMark("\xEF\xBB\xBF");
const QString CrLf = QStringLiteral("\r\n");
constexpr qint64 largestSettingsFile = 1024 * 1024;

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Trims every character up to U+0020 from both ends.
QString trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin).toString();
}

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start));
    return lines;
}

// The value of a digit in bases up to 16; 16 for any other character.
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return 16;
}

// A decimal integer with an optional sign, or a hexadecimal one after "0x", within 32 bits.
// Hexadecimal digits may use all 32 bits: 0xFFFFFFFF reads as -1.
std::optional<int> parseInteger(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    const bool hexadecimal = text.startsWith(u"0x", Qt::CaseInsensitive);
    if (hexadecimal)
        text = text.sliced(2);
    if (text.isEmpty())
        return std::nullopt;
    const int base = hexadecimal ? 16 : 10;
    const qint64 limit = hexadecimal ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const int digit = digitValue(c);
        if (digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<quint32>(magnitude);
    return static_cast<int>(negative ? 0u - bits : bits);
}
} // namespace

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)) {}

IniFile IniFile::open(const QString &fileName)
{
    IniFile store(fileName);
    QFile file(fileName);
    if (!file.exists())
        return store;
    if (file.open(QIODevice::ReadOnly)) {
        // Three short values never come near the limit: a larger file is damaged, and reading
        // it whole would cost time and memory at every start.
        const QByteArray bytes = file.read(largestSettingsFile + 1);
        if (file.error() == QFileDevice::NoError && bytes.size() <= largestSettingsFile &&
            store.parse(bytes))
            return store;
    }
    QFile::remove(fileName);
    return IniFile(fileName);
}

bool IniFile::parse(const QByteArray &bytes)
{
    m_sections.clear();
    const QByteArray body = bytes.startsWith(ByteOrderMark) ? bytes.sliced(3) : bytes;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder.decode(body);
    if (decoder.hasError())
        return false;

    qsizetype current = -1; // the section that lines go to; none before the first
    for (const QStringView rawLine : splitLines(text)) {
        const QString line = trimmed(rawLine);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = trimmed(QStringView(line).sliced(1, line.size() - 2));
            current = addSection(name);
            continue;
        }
        if (current < 0)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            m_sections[current].lines.append({line, QString(), false});
        else
            m_sections[current].lines.append({trimmed(QStringView(line).first(equals)),
                                              trimmed(QStringView(line).sliced(equals + 1)), true});
    }
    return true;
}

qsizetype IniFile::sectionIndex(const QString &name) const
{
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (sameName(m_sections[i].name, name))
            return i;
    }
    return -1;
}

qsizetype IniFile::addSection(const QString &name)
{
    const qsizetype existing = sectionIndex(name);
    if (existing >= 0)
        return existing;
    m_sections.append({name, {}});
    return m_sections.size() - 1;
}

qsizetype IniFile::keyIndex(const Section &section, const QString &key)
{
    for (qsizetype i = 0; i < section.lines.size(); ++i) {
        if (section.lines[i].hasValue && sameName(section.lines[i].name, key))
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    const qsizetype s = sectionIndex(section);
    const qsizetype k = s < 0 ? -1 : keyIndex(m_sections[s], key);
    return k < 0 ? defaultValue : m_sections[s].lines[k].value;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const qsizetype s = sectionIndex(section);
    const qsizetype k = s < 0 ? -1 : keyIndex(m_sections[s], key);
    return k < 0 ? defaultValue : parseInteger(m_sections[s].lines[k].value).value_or(defaultValue);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const qsizetype s = addSection(section);
    QList<Line> &lines = m_sections[s].lines;
    const qsizetype k = keyIndex(m_sections[s], key);
    if (k < 0)
        lines.append({key, value, true});
    else
        lines[k] = {key, value, true};
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

QByteArray IniFile::toBytes() const
{
    QString text;
    for (const Section &section : m_sections) {
        text += u'[' + section.name + u']' + CrLf;
        for (const Line &line : section.lines)
            text += (line.hasValue ? line.name + u'=' + line.value : line.name) + CrLf;
        text += CrLf;
    }
    return ByteOrderMark + text.toUtf8();
}

void IniFile::updateFile() const
{
    const QString failure = platform::replaceFileContents(m_fileName, toBytes());
    if (!failure.isEmpty())
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(m_fileName, failure));
}
