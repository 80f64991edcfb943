#include "app/appform.h"

#include "app/audioparameters.h"
#include "processing/silencecommand.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace
{
const QString Section = QStringLiteral("Settings");
const QString Keep = QStringLiteral("Keep");
} // namespace

// Only reads: a settings file stays as it is until the user moves the slider.
void TAppForm::restoreKeep()
{
    const QSignalBlocker quiet(TrackBar3);
    TrackBar3->setValue(keepPositionFromSetting(SettingsIni.readString(Section, Keep, {})));
    Label7->setText(keepLabel(TrackBar3->value()));
}

void TAppForm::TrackBar3Change()
{
    Label7->setText(keepLabel(TrackBar3->value()));
    SettingsIni.writeString(Section, Keep, keepText(TrackBar3->value()));
    writeSettingsFile();
}
