#include "app/folderscan.h"

#include "app/filenametext.h"
#include "app/mediatypes.h"
#include "platform/folderlisting.h"

#include <QFile>
#include <QSet>
#include <algorithm>

namespace
{
using platform::FileKind;
using platform::FolderEntry;
using platform::FolderIdentity;

struct NamedEntry {
    QString name; // as text: what the order and the type test go by
    const FolderEntry *entry;
};

// Name order without regard to case: every UTF-16 unit compared upper-cased, so the order
// does not depend on the file system; names differing only in case keep their exact order.
QList<NamedEntry> sortedByName(const QList<FolderEntry> &entries)
{
    struct Keyed {
        QString key;
        NamedEntry named;
    };
    QList<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const FolderEntry &entry : entries) {
        const QString name = QFile::decodeName(entry.name);
        QString key = name;
        for (QChar &character : key)
            character = character.toUpper();
        keyed.append({std::move(key), {name, &entry}});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (const int order = a.key.compare(b.key))
            return order < 0;
        if (const int order = a.named.name.compare(b.named.name))
            return order < 0;
        return a.named.entry->name < b.named.entry->name;
    });
    QList<NamedEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed &item : keyed)
        sorted.append(item.named);
    return sorted;
}

QByteArray joinPath(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

class Scan
{
public:
    Scan(QStringList &found, QList<QByteArray> &unreadable)
        : m_found(found), m_unreadable(unreadable)
    {
    }

    // `isText`: whether the folder's path is text, which every path below it then needs too.
    void scan(const QByteArray &folder, bool isText)
    {
        std::optional<platform::FolderListing> listing = platform::listFolder(folder);
        if (!listing || m_entered.contains(listing->identity))
            return;
        m_entered.insert(listing->identity);
        for (const NamedEntry &named : sortedByName(listing->entries)) {
            const QByteArray path = joinPath(folder, named.entry->name);
            const bool pathIsText = isText && isNameText(named.entry->name);
            if (named.entry->kind == FileKind::Folder)
                scan(path, pathIsText);
            else if (named.entry->kind == FileKind::File && IsMediaFile(named.name))
                pathIsText ? m_found.append(QFile::decodeName(path)) : m_unreadable.append(path);
        }
    }

private:
    QStringList &m_found;
    QList<QByteArray> &m_unreadable;
    QSet<FolderIdentity> m_entered;
};
} // namespace

void scanMediaFiles(const QByteArray &folder, QStringList &found, QList<QByteArray> &unreadable)
{
    Scan(found, unreadable).scan(folder, isNameText(folder));
}
