#include "app/appform.h"

#include "app/audioparameters.h"
#include "app/dialogs.h"
#include "base/folders.h"
#include "platform/beep.h"
#include "platform/knownfolders.h"
#include "platform/urlopener.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSlider>

namespace
{
const QString Section = QStringLiteral("Settings");
const QString Threshold = QStringLiteral("Threshold");
const QString Duration = QStringLiteral("Duration");
const QString Destination = QStringLiteral("Destination");
} // namespace

void TAppForm::restoreParameters()
{
    const QScopedValueRollback restoring(restoringSettings, true);
    // A slider clamps a stored value to its range and runs its change handler when the
    // position moves; both handlers then run once more so that labels and file agree.
    TrackBar1->setValue(SettingsIni.readInteger(Section, Threshold, 50));
    TrackBar2->setValue(SettingsIni.readInteger(Section, Duration, 2));
    TrackBar1Change();
    TrackBar2Change();
}

void TAppForm::restoreTargetFolder()
{
    const QScopedValueRollback restoring(restoringSettings, true);
    Edit1->setText(SettingsIni.readString(Section, Destination, platform::desktopFolder()));
}

void TAppForm::TrackBar1Change()
{
    Label3->setText(thresholdLabel(TrackBar1->value()));
    SettingsIni.writeInteger(Section, Threshold, TrackBar1->value());
    writeSettingsFile();
}

void TAppForm::TrackBar2Change()
{
    Label5->setText(durationLabel(TrackBar2->value()));
    SettingsIni.writeInteger(Section, Duration, TrackBar2->value());
    writeSettingsFile();
}

SilenceSettings TAppForm::silenceSettings() const
{
    return {TrackBar1->value(), TrackBar2->value(), TrackBar3->value()};
}

void TAppForm::Edit1Change()
{
    SettingsIni.writeString(Section, Destination, Edit1->text());
    writeSettingsFile();
}

void TAppForm::Button2Click()
{
    ChangeDirectory1->trigger();
}

void TAppForm::ChangeDirectory1Click()
{
    const QStringList chosen = dialogs::chooseFolders(this, QStringLiteral("Select folder:"),
                                                      QStringLiteral("Select"), LastFolder, false);
    if (chosen.isEmpty())
        return;
    LastFolder = chosen.first();
    ChangeMyFolder(LastFolder);
}

void TAppForm::ChangeMyFolder(const QString &foldername)
{
    if (foldername.trimmed().isEmpty())
        return;
    LastFolder = foldername;
    Edit1->setText(foldername);
}

void TAppForm::ShowinExplorer2Click()
{
    const QString folder = Edit1->text();
    if (createFolderWithParents(folder))
        platform::openUrl(QUrl::fromLocalFile(QFileInfo(folder).absoluteFilePath()));
    else
        platform::beep();
}
