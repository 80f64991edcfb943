#pragma once

#include <QApplication>
#include <concepts>
#include <exception>
#include <functional>

// The application object: the error box (error icon, caption "Hushmill"), and the last resort
// for an exception that escapes an event handler, which it shows there before the event loop
// goes on.
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
    static void showErrorBox(const std::exception &error);

    // Without a display the program runs on the offscreen platform: nobody can see its
    // windows, so message boxes go to standard error and the command line finishes by itself.
    static bool isHeadless();
    static void setHeadless(bool headless);
};

// `handler` made ready for a connection: an error that ends it is shown in the application's
// error box before the slot returns. It takes those of the signal's arguments that `handler`
// takes.
template <typename Handler> auto showingErrors(Handler handler)
{
    return [handler = std::move(handler)]<typename... Arguments>(const Arguments &...arguments)
               -> void requires std::invocable<const Handler &, const Arguments &...>
    {
        try {
            std::invoke(handler, arguments...);
        } catch (const std::exception &error) {
            Application::showErrorBox(error);
        }
    };
}
