#include "app/appform.h"

#include "app/application.h"
#include "app/filelistmodel.h"
#include "platform/runningprogram.h"
#include "processing/levelsloader.h"
#include "processing/levelstrip.h"
#include "processing/silencecommand.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QSlider>
#include <QTableView>

namespace
{
// The one selected row; nothing when none or several are selected. Read from the selection's
// ranges, so a selection of many rows costs no more than one of a few.
std::optional<int> singleSelectedRow(const QItemSelectionModel &selection)
{
    const QItemSelection ranges = selection.selection();
    std::optional<int> row;
    for (const QItemSelectionRange &range : ranges) {
        if (range.top() != range.bottom() || (row && *row != range.top()))
            return std::nullopt;
        row = range.top();
    }
    return row;
}
} // namespace

void TAppForm::connectLevels()
{
    Levels = new LevelsLoader(platform::programFolder(), this);
    LevelStrip1->setSettings(silenceSettings());
    const auto reshade = [this] { LevelStrip1->setSettings(silenceSettings()); };
    for (QSlider *slider : {TrackBar1, TrackBar2, TrackBar3})
        connect(slider, &QSlider::valueChanged, LevelStrip1, reshade);

    const auto update = showingErrors([this] { updateLevels(); });
    connect(ShowLevels1, &QAction::toggled, this, update);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, update);
    connect(FileList, &QAbstractItemModel::modelReset, this, update);
    connect(FileList, &QAbstractItemModel::rowsRemoved, this, update);
    connect(Levels, &LevelsLoader::ready, this, update);
}

void TAppForm::updateLevels()
{
    const std::optional<int> row = singleSelectedRow(*ListView1->selectionModel());
    if (!ShowLevels1->isChecked() || !row) {
        LevelStrip1->hide();
        return;
    }
    LevelStrip1->show();
    const QString path = FileList->path(*row);
    // Nothing of such a file is converted, so nothing would be removed either.
    if (isSkippedVideo(path)) {
        LevelStrip1->showMessage(videoSkippedText);
        return;
    }
    const LevelsResult *known = Levels->request(path);
    if (!known)
        LevelStrip1->showMessage(QStringLiteral("Reading the levels..."));
    else if (known->loudness)
        LevelStrip1->showLoudness(*known->loudness);
    else
        LevelStrip1->showMessage(known->error);
}
