#include "app/mediatypes.h"

#include "base/fileextension.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace
{
constexpr std::array<QStringView, 21> extensions = {
    u".mp4", u".mkv", u".avi",  u".mpg", u".mpeg", u".mov",  u".wmv",
    u".flv", u".f4v", u".mp3",  u".wma", u".wav",  u".m4a",  u".aiff",
    u".aac", u".ac3", u".eac3", u".mp2", u".wv",   u".webm", u".flac"};
} // namespace

QStringList supportedExtensions()
{
    QStringList list;
    for (const QStringView extension : extensions)
        list << extension.toString();
    return list;
}

bool IsMediaFile(const QString &path)
{
    QString extension = fileExtension(path);
    for (QChar &character : extension) {
        if (character >= u'A' && character <= u'Z')
            character = QChar(character.unicode() + (u'a' - u'A'));
    }
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

QString addFilesFilter()
{
    return QStringLiteral("Supported Files|"
                          "*.mp3;*.wav;*.m4a;*.wma;*.flac;*.webm;"
                          "*.aiff;*.aac;*.ogg;*.opus;*.ac3;*.eac3;"
                          "*.mp2;*.wv;"
                          "*.mp4;*.mkv;*.avi;*.mpg;*.mpeg;"
                          "*.mov;*.wmv;*.flv;*.f4v"
                          "|All Files|*.*");
}

QString qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        // "*.*" means every file; on Linux the pattern would hide names without a point.
        for (QString &pattern : patterns) {
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        entries << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return entries.join(QStringLiteral(";;"));
}
