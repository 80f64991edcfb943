#pragma once

#include "processing/conversion.h"
#include "settings/inifile.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

class BatchRun;
struct CommandLineRequest;
struct UpdateCheckState;
class FileListModel;
class LevelStrip;
class LevelsLoader;
class TNewVer;
class QAction;
class QActionGroup;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSplitter;
class QTableView;
class QTimer;
class QToolBar;
class QToolButton;
class QLineEdit;
class QWidget;

// The main window. Components and handlers keep the names of the window's layout; the
// handlers live in the files of their subsystem (intake, parameters, conversion, batch run,
// command line, settings, update check).
class TAppForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TAppForm(QWidget *parent = nullptr);
    ~TAppForm() override;

    // Identity, fixed once the window is created.
    QString CompanyName;
    QString ProductName;
    QString AppName;
    QString AppVersion;

    // Text of the status bar's one panel.
    QString statusText() const;
    void setStatusText(const QString &text);

    // Window handlers.
    void FormCreate();
    void Help2Click();
    void About1Click();
    void Exit1Click();

    // The last-used folder: set by folder loads and the target-folder dialog, never stored.
    QString LastFolder;

    // File list and intake (app/appform_intake.cpp).
    FileListModel *FileList = nullptr;    // the rows of ListView1
    QStringList ScanList;                 // the paths found by the current folder load
    QList<QByteArray> UnreadableScanList; // ... and those that are not text (their bytes)
    QString OpenDialog1Filter;            // filter of the "Add Files..." dialog
    void Ekle(const QString &isim);
    void KlasorYukle(const QString &klasor);
    void ScanFolder(const QByteArray &folder);
    void ShowFileProperties(const QString &path);
    void AddFile1Click();
    void AddFolder1Click();
    void Open1Click();
    void ShowinExplorer1Click();
    void Properties1Click();
    void Delete1Click();
    void DeleteAll1Click();

    // Audio parameters and target folder (app/appform_parameters.cpp).
    void TrackBar1Change();
    void TrackBar2Change();
    void Edit1Change();
    // The sliders' positions, as a conversion reads them.
    SilenceSettings silenceSettings() const;
    // The keep slider (app/appform_keep.cpp): written to the settings only once it is moved.
    void TrackBar3Change();
    void Button2Click();
    void ChangeDirectory1Click();
    void ShowinExplorer2Click();
    void ChangeMyFolder(const QString &foldername);

    // The picture of the selected file's levels (processing/appform_levels.cpp): shown while
    // exactly one row is selected and "Show Levels" is checked; each file is read once.
    LevelsLoader *Levels = nullptr;
    void updateLevels();

    // Settings (settings/appform_settings.cpp): the folder of "settings.ini" (ending in "/")
    // and the one store over that file, both fixed at start-up.
    QString SettingsFolder;
    IniFile SettingsIni;
    void ResettoDefaults1Click();

    // Conversion (processing/appform_conversion.cpp): converts one file with the current
    // slider positions, logging into MemoCMD; answers "OK" or "Error" (with the reason) and
    // never raises.
    ConversionOutcome FFmpegIleDonustur(const QString &Infile, const QString &Outfile);

    // Batch run and command line (processing/).
    // The program's arguments without its own path, handled once after the window is shown;
    // their bytes as the system passed them, where one may not be text (none: the texts').
    QStringList CommandLineArguments;
    // "Remove Silence", or "Stop" while a batch runs.
    QList<QByteArray> CommandLineBytes;
    void Button1Click();
    // "Preview": the selected rows' commands with FFmpeg's null output, as a batch that writes
    // nothing; their rows read "Preview" and the Saved column what they would lose.
    void Preview1Click();
    // Escape stops a running batch, as "Stop" does.
    void EscapePressed();
    void TimerParamTimer();

    // Parallel conversions (processing/appform_jobs.cpp): the setting of "Settings > Parallel
    // Conversions", 0 for automatic or a count; stored as Jobs only once the user chooses.
    int Jobs = 0;
    void ParallelConversionsClick(int jobs);

    // "File > Show Log" shows or hides MemoCMD; the choice is not stored.
    void ShowLog1Click();

    // Feedback (feedback/appform_feedback.cpp): opens a new feedback window modally.
    void SendFeedback1Click();

    // Update check (webservice/appform_update.cpp): one check per run, whose outcome the
    // checker timer picks up; the new-version notice, made at most once.
    void TimerCheckerTimer();
    void UpdateNotifications1Click();
    bool CheckStarted = false;
    std::shared_ptr<UpdateCheckState> UpdateCheck;
    TNewVer *NewVer = nullptr;

    // Components, by their names in the layout.
    QToolBar *ToolBar1 = nullptr;
    QToolButton *ToolButton3 = nullptr;
    QToolButton *ToolButton1 = nullptr;
    QToolButton *ToolButton7 = nullptr;
    QToolButton *ToolButton2 = nullptr;
    QToolButton *ToolButton4 = nullptr;
    QWidget *Panel2 = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *Panel3 = nullptr;
    QTableView *ListView1 = nullptr;
    QWidget *Panel4 = nullptr;
    QLabel *Label1 = nullptr;
    QWidget *Panel1 = nullptr;
    QSlider *TrackBar1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QWidget *Panel6 = nullptr;
    QSlider *TrackBar2 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QWidget *Panel7 = nullptr;
    QSlider *TrackBar3 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label2 = nullptr;
    QWidget *Panel5 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QToolButton *Button2 = nullptr;
    QPushButton *Button1 = nullptr;
    LevelStrip *LevelStrip1 = nullptr;
    QPlainTextEdit *MemoCMD = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *StatusPanel = nullptr;

    QMenu *File1 = nullptr;
    QAction *AddFile1 = nullptr;
    QAction *AddFolder1 = nullptr;
    QAction *Preview1 = nullptr;
    QAction *ShowLog1 = nullptr;
    QAction *ShowLevels1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Settings1 = nullptr;
    QMenu *ParallelConversions1 = nullptr;
    QActionGroup *ParallelConversionsGroup = nullptr; // "Automatic" (0), then 1, 2, 4, 8
    QAction *ResettoDefaults1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *Help2 = nullptr;
    QAction *UpdateNotifications1 = nullptr;
    QAction *UpdateNotificationsBar = nullptr;
    QAction *SendFeedback1 = nullptr;
    QAction *About1 = nullptr;

    QMenu *PopupMenu1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *ShowinExplorer1 = nullptr;
    QAction *Delete1 = nullptr;
    QAction *DeleteAll1 = nullptr;
    QAction *Properties1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *ChangeDirectory1 = nullptr;
    QAction *ShowinExplorer2 = nullptr;

    QTimer *TimerChecker = nullptr;
    QTimer *TimerParam = nullptr;

protected:
    // Closing the window during a batch stops it first (processing/appform_batch.cpp).
    void closeEvent(QCloseEvent *event) override;

    // Files and folders dropped on the window (app/appform_intake.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Batch run and command line.
    BatchRun *RunningBatch = nullptr;
    bool closeAfterBatch = false;
    // Runs a batch to its end: every row converted, or the rows `chosen` previewed.
    void runBatch(bool preview, const QList<int> &chosen = {});
    void handleCommandLine(const CommandLineRequest &request);
    void convertFromCommandLine(const QString &input, const QString &output);
    void fillListFromCommandLine();
    QByteArray argumentBytes(qsizetype index) const;
    void refuseUnreadableFile(const QByteArray &path);
    void runListHeadless();
    bool namedFileSkipped = false; // a file named on the command line is not in the list

    void createToolBar();
    void createPanels();
    QWidget *createParameterPanel();
    void createMenus();
    void createPopupMenus();
    void createTimers();
    void connectHandlers();
    void connectLevels();

    // Start-up steps and wiring owned by each subsystem's file.
    void chooseSettingsFolder();
    void openSettingsStore();
    void restoreParameters();
    void restoreKeep();
    void restoreTargetFolder();
    void restoreJobs();
    void prepareFileList();

    // Settings (settings/appform_settings.cpp). Writes the store to its file; a failure raises
    // the error, except while start-up restores the settings: start-up must complete, so the
    // first failure there is reported once the event loop runs.
    void writeSettingsFile();
    bool restoringSettings = false;
    bool startupWriteFailed = false;

    // Intake of paths as the system holds them. A folder load by the folder's bytes (its name
    // may not be text); paths that are not text become "Error" rows and a warning names the
    // folders that hold them.
    void loadFolder(const QByteArray &folder);
    void addUnreadable(const QList<QByteArray> &paths);

    // Runs `command` for each selected row's file in list order; beeps for a missing file.
    void forEachSelectedFile(const std::function<void(const QString &)> &command);
    QList<int> selectedFileRows() const;
};
