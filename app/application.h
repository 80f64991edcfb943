#pragma once

#include <QApplication>

// The application object. An exception that escapes any event handler is shown in the
// application's error box (error icon, caption "Hushmill") and the event loop goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    static void showErrorBox(const QString &message);
};
