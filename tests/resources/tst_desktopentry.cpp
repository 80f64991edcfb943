#include "app/mediatypes.h"
#include "support/guitestmain.h"
#include "support/testfiles.h"

#include <QFileInfo>
#include <QMimeDatabase>

// The desktop entry as desktops read it: its name is the id the program announces, and its
// MIME types cover every extension the program accepts, so "Open With" offers it.
class TestDesktopEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString text = QString::fromUtf8(readBytes(QStringLiteral(HUSHMILL_DESKTOP_ENTRY)));
        QVERIFY(!text.isEmpty());
        for (const QString &line : text.split(u'\n')) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals > 0)
                keys.insert(line.left(equals), line.mid(equals + 1));
        }
    }

    void theProgramAnnouncesTheEntrysName()
    {
        QCOMPARE(QGuiApplication::desktopFileName() + QStringLiteral(".desktop"),
                 QFileInfo(QStringLiteral(HUSHMILL_DESKTOP_ENTRY)).fileName());
        QCOMPARE(keys.value(QStringLiteral("Icon")), QGuiApplication::desktopFileName());
    }

    void everySupportedExtensionHasAListedType()
    {
        const QStringList listed =
            keys.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
        // Types the MIME database of an older system does not know by extension yet.
        const QHash<QString, QString> registered = {
            {QStringLiteral(".eac3"), QStringLiteral("audio/eac3")}};
        const QMimeDatabase database;
        for (const QString &extension : supportedExtensions()) {
            QStringList names;
            for (const QMimeType &type :
                 database.mimeTypesForFileName(QStringLiteral("recording") + extension))
                names << type.name() << type.aliases();
            if (registered.contains(extension))
                names << registered.value(extension);
            const bool found = std::any_of(names.begin(), names.end(), [&](const QString &name) {
                return listed.contains(name);
            });
            QVERIFY2(found, qPrintable(extension + QStringLiteral(": ") + names.join(u' ')));
        }
    }

private:
    QHash<QString, QString> keys;
};

HUSHMILL_GUI_TEST_MAIN(TestDesktopEntry)
#include "tst_desktopentry.moc"
