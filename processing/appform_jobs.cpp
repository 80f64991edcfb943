#include "app/appform.h"

#include "processing/paralleljobs.h"

#include <QAction>
#include <QActionGroup>

namespace
{
const QString Section = QStringLiteral("Settings");
const QString JobsKey = QStringLiteral("Jobs");

// Checks the menu item of a setting; none for a stored count the menu does not offer.
void checkItemOf(QActionGroup *group, int jobs)
{
    for (QAction *item : group->actions())
        item->setChecked(item->data().toInt() == jobs);
}
} // namespace

void TAppForm::restoreJobs()
{
    // Read only: a settings file gets the key when the user first chooses.
    Jobs = paralleljobs::settingFromStored(SettingsIni.readInteger(Section, JobsKey, 0));
    checkItemOf(ParallelConversionsGroup, Jobs);
}

void TAppForm::ParallelConversionsClick(int jobs)
{
    Jobs = jobs;
    checkItemOf(ParallelConversionsGroup, Jobs);
    SettingsIni.writeInteger(Section, JobsKey, Jobs);
    writeSettingsFile();
}
