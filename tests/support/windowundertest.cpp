#include "support/windowundertest.h"

#include "app/appform.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/runningprogram.h"
#include "platform/urlopener.h"

#include <QTest>

WindowUnderTest::WindowUnderTest()
{
    dialogs::startAnswering();
    platform::setUrlOpenerForTesting([this](const QUrl &url) { openedUrls << url; });
    platform::setProgramStarterForTesting(
        [this](const QString &program) { startedPrograms << program; });
}

WindowUnderTest::~WindowUnderTest()
{
    closeWindow();
    dialogs::stopAnswering();
    platform::setUrlOpenerForTesting({});
    platform::setProgramStarterForTesting({});
    if (m_pathBefore)
        qputenv("PATH", *m_pathBefore);
}

QString WindowUnderTest::fakeProgramFolder()
{
    const QString folder = m_folders.path() + QStringLiteral("/fakes");
    if (!m_pathBefore) {
        QDir().mkpath(folder);
        m_pathBefore = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder) + ':' + *m_pathBefore);
    }
    return folder;
}

TAppForm *WindowUnderTest::open(const QStringList &commandLine,
                                const QList<QByteArray> &commandLineBytes)
{
    closeWindow();
    m_form = std::make_unique<TAppForm>();
    m_form->CommandLineArguments = commandLine;
    m_form->CommandLineBytes = commandLineBytes;
    m_form->show();
    return QTest::qWaitForWindowExposed(m_form.get()) ? m_form.get() : nullptr;
}

QStringList WindowUnderTest::listedPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_form->FileList->rowCount(); ++row)
        paths << m_form->FileList->path(row);
    return paths;
}

QStringList WindowUnderTest::listedResults() const
{
    QStringList results;
    for (int row = 0; row < m_form->FileList->rowCount(); ++row)
        results << m_form->FileList->result(row);
    return results;
}
