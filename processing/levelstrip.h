#pragma once

#include "processing/loudness.h"
#include "processing/silenceshading.h"

#include <QWidget>

// A strip that pictures one file's loudness over time: the level of each 20 ms window, the
// threshold as a line, and the stretches the current settings would remove shaded. Instead of
// a picture it can show one line of text.
class LevelStrip : public QWidget
{
    Q_OBJECT

public:
    explicit LevelStrip(QWidget *parent = nullptr);

    void showLoudness(const Loudness &loudness);
    void showMessage(const QString &text);
    // Re-shades the picture shown (and any later one) for these settings.
    void setSettings(const SilenceSettings &settings);

    // What the picture says: the message shown, or the share the settings remove.
    QString message() const { return m_message; }
    bool showsLoudness() const { return m_hasLoudness; }
    double removedSeconds() const { return m_removedSeconds; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void reshade();
    double yOf(double db) const;

    Loudness m_loudness;
    bool m_hasLoudness = false;
    QString m_message;
    SilenceSettings m_settings;
    QList<WindowStretch> m_removed;
    double m_removedSeconds = 0.0;
};
