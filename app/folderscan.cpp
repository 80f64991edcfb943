#include "app/folderscan.h"

#include "app/mediatypes.h"
#include "platform/folderlisting.h"

#include <QSet>
#include <algorithm>

namespace
{
using platform::FolderEntry;
using platform::FolderIdentity;

// Name order without regard to case: every UTF-16 unit compared upper-cased, so the order
// does not depend on the file system; names differing only in case keep their exact order.
void sortByName(QList<FolderEntry> &entries)
{
    struct Keyed {
        QString key;
        const FolderEntry *entry;
    };
    QList<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const FolderEntry &entry : entries) {
        QString key = entry.name;
        for (QChar &character : key)
            character = character.toUpper();
        keyed.append({std::move(key), &entry});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (const int order = a.key.compare(b.key))
            return order < 0;
        return a.entry->name < b.entry->name;
    });
    QList<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const Keyed &item : keyed)
        sorted.append(*item.entry);
    entries = std::move(sorted);
}

QString joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

void scan(const QString &folder, QStringList &found, QSet<FolderIdentity> &entered)
{
    std::optional<platform::FolderListing> listing = platform::listFolder(folder);
    if (!listing || entered.contains(listing->identity))
        return;
    entered.insert(listing->identity);
    sortByName(listing->entries);
    for (const FolderEntry &entry : std::as_const(listing->entries)) {
        if (entry.kind == platform::FileKind::Folder)
            scan(joinPath(folder, entry.name), found, entered);
        else if (entry.kind == platform::FileKind::File && IsMediaFile(entry.name))
            found.append(joinPath(folder, entry.name));
    }
}
} // namespace

void scanMediaFiles(const QString &folder, QStringList &found)
{
    QSet<FolderIdentity> entered;
    scan(folder, found, entered);
}
