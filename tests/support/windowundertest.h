#pragma once

#include "support/testfiles.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

class TAppForm;

// A main window under test with folders of its own (TestFolders) and answered dialogs
// (dialogs::startAnswering). Web addresses and files the program would open, and programs it
// would start, are recorded instead. The window itself is made on demand by open(). On
// destruction the window goes first, then everything is put back as it was.
class WindowUnderTest
{
public:
    WindowUnderTest();
    ~WindowUnderTest();
    WindowUnderTest(const WindowUnderTest &) = delete;
    WindowUnderTest &operator=(const WindowUnderTest &) = delete;

    const TestFolders &folders() const { return m_folders; }

    // A folder put first along PATH until destruction, for fake programs (support/fakeffmpeg.h).
    QString fakeProgramFolder();

    // A new main window in place of any earlier one, given `commandLine` as the program's
    // arguments (and `commandLineBytes` as their bytes, for names that are not text), shown and
    // exposed; null when it was not exposed in time.
    TAppForm *open(const QStringList &commandLine = {},
                   const QList<QByteArray> &commandLineBytes = {});
    TAppForm *form() const { return m_form.get(); }
    // Deletes the window, as the end of the program would.
    void closeWindow() { m_form.reset(); }

    // The window's list, top to bottom: the paths, and their results ("", "OK" or "Error").
    QStringList listedPaths() const;
    QStringList listedResults() const;

    QList<QUrl> openedUrls;
    QStringList startedPrograms;

private:
    TestFolders m_folders;
    std::optional<QByteArray> m_pathBefore; // set while the fake folder leads PATH
    std::unique_ptr<TAppForm> m_form;
};
