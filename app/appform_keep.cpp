#include "app/appform.h"

#include "app/audioparameters.h"
#include "processing/silencecommand.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace
{
const QString Section = QStringLiteral("Settings");
const QString KeepKey = QStringLiteral("Keep");
} // namespace

void TAppForm::restoreKeep()
{
    // Read only: a settings file gets the key when the user first moves the slider.
    const QSignalBlocker quiet(TrackBar3);
    TrackBar3->setValue(keepPositionFromSetting(SettingsIni.readString(Section, KeepKey, {})));
    Label7->setText(keepLabel(TrackBar3->value()));
}

void TAppForm::TrackBar3Change()
{
    Label7->setText(keepLabel(TrackBar3->value()));
    SettingsIni.writeString(Section, KeepKey, keepText(TrackBar3->value()));
    writeSettingsFile();
}
