#pragma once

#include <QApplication>

// The application object. An exception that escapes any event handler is shown in the
// application's error box (error icon, caption "Hushmill") and the event loop goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    // Tells background work (a running update check) to stop and lets it leave what the
    // teardown frees; it is not waited for to finish.
    ~Application() override;
    bool notify(QObject *receiver, QEvent *event) override;

    static void showErrorBox(const QString &message);

    // Without a display the program runs on the offscreen platform: nobody can see its
    // windows, so message boxes go to standard error and the command line finishes by itself.
    static bool isHeadless();
    static void setHeadless(bool headless);
};
