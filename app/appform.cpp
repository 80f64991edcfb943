#include "app/appform.h"

#include "about/exeversiondata.h"
#include "app/application.h"
#include "app/audioparameters.h"
#include "app/icons.h"
#include "app/singlelinevalidator.h"
#include "processing/levelstrip.h"
#include "processing/paralleljobs.h"

#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QWidget *strip(const char *name, int height)
{
    auto *panel = named(new QWidget, name);
    panel->setFixedHeight(height);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return panel;
}

// A parameter slider: from 0 to `maximum`, no tick marks, one step per arrow key, two per page.
QSlider *parameterSlider(const char *name, int maximum, int position, QWidget *parent)
{
    auto *slider = named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(0, maximum);
    slider->setValue(position);
    slider->setSingleStep(1);
    slider->setPageStep(2);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

// The value label at the right of a slider.
QLabel *valueLabel(const char *name, const QString &text, int width, QWidget *parent)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Space of exactly `pixels` above the next widget of a column that puts its own spacing
// between widgets.
void addGapAbove(QVBoxLayout *column, int pixels)
{
    column->addSpacing(pixels - column->spacing());
}
} // namespace

TAppForm::TAppForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("AppForm"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    setFont(tahoma);
    setWindowIcon(appIcon(QStringLiteral("hushmill")));

    createMenus();
    createPopupMenus();
    createToolBar();
    createPanels();
    createTimers();
    connectHandlers();
    resize(601, 535 + menuBar()->sizeHint().height());
    move(screen()->availableGeometry().center() - rect().center());

    FormCreate();
}

TAppForm::~TAppForm() = default;

void TAppForm::createToolBar()
{
    ToolBar1 = named(new QToolBar(QStringLiteral("ToolBar1"), this), "ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(64, 64));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    auto button = [this](const char *name, const QString &caption, const QString &hint,
                         const QString &icon) {
        auto *toolButton = named(new QToolButton(ToolBar1), name);
        toolButton->setText(caption);
        toolButton->setToolTip(hint);
        toolButton->setIcon(appIcon(icon));
        toolButton->setIconSize(QSize(64, 64));
        toolButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        toolButton->setAutoRaise(true);
        toolButton->setFixedSize(71, 84);
        ToolBar1->addWidget(toolButton);
        return toolButton;
    };
    ToolButton3 = button("ToolButton3", QStringLiteral("Add Files"),
                         QStringLiteral("Select audio files"), QStringLiteral("add-video"));
    ToolButton1 = button("ToolButton1", QStringLiteral("Add Folder"),
                         QStringLiteral("Select audio folders"), QStringLiteral("add-folder"));
    auto *separator = named(new QWidget(ToolBar1), "ToolButton5");
    separator->setFixedWidth(8);
    ToolBar1->addWidget(separator);
    ToolButton7 = button("ToolButton7", QStringLiteral("Feedback"), QStringLiteral("Send feedback"),
                         QStringLiteral("envelope-letter-icon"));
    ToolButton2 = button("ToolButton2", QStringLiteral("About"), QStringLiteral("Show aboutbox"),
                         QStringLiteral("sign-info-icon"));
    ToolButton4 = button("ToolButton4", QStringLiteral("Help"), QStringLiteral("Online help"),
                         QStringLiteral("sign-question-icon"));
}

void TAppForm::createPanels()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel2 = named(new QWidget(central), "Panel2");
    auto *panel2Layout = new QHBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = named(new QSplitter(Qt::Horizontal, Panel2), "Splitter1");
    Splitter1->setHandleWidth(5);
    Splitter1->setOpaqueResize(true);
    Splitter1->setChildrenCollapsible(false);
    panel2Layout->addWidget(Splitter1);

    Panel3 = named(new QWidget(Splitter1), "Panel3");
    auto *panel3Layout = new QVBoxLayout(Panel3);
    panel3Layout->setContentsMargins(0, 0, 0, 0);
    ListView1 = named(new QTableView(Panel3), "ListView1");
    ListView1->setShowGrid(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setWordWrap(false);
    ListView1->setTextElideMode(Qt::ElideMiddle);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->verticalHeader()->hide();
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(20);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    panel3Layout->addWidget(ListView1);

    Panel4 = createParameterPanel();
    Splitter1->addWidget(Panel3);
    Splitter1->addWidget(Panel4);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({601 - 238 - 5, 238});
    column->addWidget(Panel2, 1);

    LevelStrip1 = named(new LevelStrip(central), "LevelStrip1");
    LevelStrip1->hide();
    column->addWidget(LevelStrip1);

    MemoCMD = named(new QPlainTextEdit(central), "MemoCMD");
    MemoCMD->setFixedHeight(115);
    MemoCMD->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoCMD->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoCMD->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoCMD->setReadOnly(true);
    MemoCMD->hide();
    column->addWidget(MemoCMD);

    ProgressBar1 = named(new QProgressBar(central), "ProgressBar1");
    ProgressBar1->setFixedHeight(17);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    column->addWidget(ProgressBar1);

    setCentralWidget(central);

    auto *bar = named(new QStatusBar(this), "StatusBar1");
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(true);
    StatusPanel = named(new QLabel(bar), "StatusPanel");
    bar->addWidget(StatusPanel, 1);
    setStatusBar(bar);
}

QWidget *TAppForm::createParameterPanel()
{
    auto *panel = named(new QWidget(Splitter1), "Panel4");
    panel->setMinimumWidth(238);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(2, 6, 2, 6);
    column->setSpacing(4);

    // 35 pixels, or wider when the font at hand needs more for the longest text ("-100 dB").
    const int labelWidth = std::max(35, fontMetrics().horizontalAdvance(thresholdLabel(100)));

    Label1 = named(new QLabel(QStringLiteral("Threshold:"), panel), "Label1");
    column->addWidget(Label1);
    Panel1 = strip("Panel1", 26);
    TrackBar1 = parameterSlider("TrackBar1", 100, 20, Panel1);
    Label3 = valueLabel("Label3", QStringLiteral("0 dB"), labelWidth, Panel1);
    Panel1->layout()->addWidget(TrackBar1);
    Panel1->layout()->addWidget(Label3);
    column->addWidget(Panel1);

    Label4 = named(new QLabel(QStringLiteral("Duration:"), panel), "Label4");
    column->addWidget(Label4);
    Panel6 = strip("Panel6", 26);
    TrackBar2 = parameterSlider("TrackBar2", 10, 2, Panel6);
    Label5 = valueLabel("Label5", QStringLiteral("0 s"), labelWidth, Panel6);
    Panel6->layout()->addWidget(TrackBar2);
    Panel6->layout()->addWidget(Label5);
    column->addWidget(Panel6);

    Label6 = named(new QLabel(QStringLiteral("Keep:"), panel), "Label6");
    Label6->setToolTip(QStringLiteral("Silence kept on either side of each cut"));
    column->addWidget(Label6);
    Panel7 = strip("Panel7", 26);
    TrackBar3 = parameterSlider("TrackBar3", keepMaximum, 0, Panel7);
    Label7 = valueLabel("Label7", keepLabel(0), labelWidth, Panel7);
    Panel7->layout()->addWidget(TrackBar3);
    Panel7->layout()->addWidget(Label7);
    column->addWidget(Panel7);

    addGapAbove(column, 10);
    Label2 = named(new QLabel(QStringLiteral("Target Folder:"), panel), "Label2");
    column->addWidget(Label2);
    Panel5 = strip("Panel5", 26);
    Edit1 = named(new QLineEdit(Panel5), "Edit1");
    Edit1->setValidator(new SingleLineValidator(Edit1));
    Edit1->setAcceptDrops(false); // files dropped on it go to the list, as anywhere on the window
    Button2 = named(new QToolButton(Panel5), "Button2");
    Button2->setFixedWidth(41);
    Button2->setIcon(appIcon(QStringLiteral("folder32")));
    Button2->setToolTip(QStringLiteral("Change Destination Folder"));
    Button2->setPopupMode(QToolButton::MenuButtonPopup);
    Button2->setMenu(PopupMenu2);
    Panel5->layout()->addWidget(Edit1);
    Panel5->layout()->addWidget(Button2);
    Edit1->setFixedHeight(24);
    Button2->setFixedHeight(26);
    column->addWidget(Panel5);

    addGapAbove(column, 10);
    Button1 = named(new QPushButton(QStringLiteral("Remove Silence"), panel), "Button1");
    QFont large = Button1->font();
    large.setPixelSize(19);
    Button1->setFont(large);
    Button1->setFixedHeight(37);
    // The tick stands 5 pixels from the button's left edge while the caption stays centred.
    auto *tick = named(new QLabel(Button1), "Button1Icon");
    tick->setPixmap(
        appIcon(QStringLiteral("tick_button")).pixmap(QSize(16, 16), devicePixelRatio()));
    tick->setAttribute(Qt::WA_TransparentForMouseEvents);
    tick->setGeometry(5, (37 - 16) / 2, 16, 16);
    column->addWidget(Button1);
    column->addStretch(1);
    return panel;
}

void TAppForm::createMenus()
{
    auto *bar = named(new QMenuBar(this), "MainMenu1");
    setMenuBar(bar);

    File1 = named(bar->addMenu(QStringLiteral("File")), "File1");
    AddFile1 = named(File1->addAction(QStringLiteral("Add Files...")), "AddFile1");
    AddFolder1 = named(File1->addAction(QStringLiteral("Add Folder...")), "AddFolder1");
    Preview1 = named(File1->addAction(QStringLiteral("Preview")), "Preview1");
    Preview1->setToolTip(
        QStringLiteral("What the selected files would lose, without writing them"));
    named(File1->addSeparator(), "N5");
    ShowLog1 = named(File1->addAction(QStringLiteral("Show Log")), "ShowLog1");
    ShowLog1->setCheckable(true);
    ShowLevels1 = named(File1->addAction(QStringLiteral("Show Levels")), "ShowLevels1");
    ShowLevels1->setCheckable(true);
    ShowLevels1->setChecked(true);
    named(File1->addSeparator(), "N2");
    Exit1 =
        named(File1->addAction(appIcon(QStringLiteral("exit")), QStringLiteral("Exit")), "Exit1");

    Settings1 = named(bar->addMenu(QStringLiteral("Settings")), "Settings1");
    ParallelConversions1 =
        named(Settings1->addMenu(QStringLiteral("Parallel Conversions")), "ParallelConversions1");
    ParallelConversionsGroup = named(new QActionGroup(this), "ParallelConversionsGroup");
    auto jobsItem = [this](const QString &caption, int jobs) {
        QAction *item = ParallelConversions1->addAction(caption);
        item->setObjectName(QStringLiteral("ParallelConversions%1").arg(jobs));
        item->setCheckable(true);
        item->setData(jobs);
        ParallelConversionsGroup->addAction(item);
    };
    jobsItem(QStringLiteral("Automatic"), 0);
    for (const int jobs : paralleljobs::offeredCounts)
        jobsItem(QString::number(jobs), jobs);
    named(Settings1->addSeparator(), "N6");
    ResettoDefaults1 =
        named(Settings1->addAction(QStringLiteral("Reset to Defaults...")), "ResettoDefaults1");

    Help1 = named(bar->addMenu(QStringLiteral("Help")), "Help1");
    Help2 = named(Help1->addAction(appIcon(QStringLiteral("help")), QStringLiteral("Online Help")),
                  "Help2");
    Help2->setShortcut(QKeySequence(Qt::Key_F1));
    Help2->setShortcutContext(Qt::ApplicationShortcut);
    named(Help1->addSeparator(), "N1");
    UpdateNotifications1 =
        named(Help1->addAction(QStringLiteral("Update Notifications")), "UpdateNotifications1");
    UpdateNotifications1->setCheckable(true);
    UpdateNotifications1->setChecked(true);
    UpdateNotifications1->setEnabled(false);
    UpdateNotificationsBar = named(Help1->addSeparator(), "UpdateNotificationsBar");
    SendFeedback1 = named(
        Help1->addAction(appIcon(QStringLiteral("feedback")), QStringLiteral("Send Feedback...")),
        "SendFeedback1");
    About1 = named(Help1->addAction(appIcon(QStringLiteral("about")), QStringLiteral("About...")),
                   "About1");
}

void TAppForm::createPopupMenus()
{
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Open1 = named(PopupMenu1->addAction(QStringLiteral("Open")), "Open1");
    QFont bold = PopupMenu1->font();
    bold.setBold(true);
    Open1->setFont(bold);
    PopupMenu1->setDefaultAction(Open1);
    ShowinExplorer1 =
        named(PopupMenu1->addAction(QStringLiteral("Show in Explorer")), "ShowinExplorer1");
    PopupMenu1->addAction(Preview1);
    named(PopupMenu1->addSeparator(), "N3");
    Delete1 = named(PopupMenu1->addAction(QStringLiteral("Delete")), "Delete1");
    DeleteAll1 = named(PopupMenu1->addAction(QStringLiteral("Delete All")), "DeleteAll1");
    named(PopupMenu1->addSeparator(), "N4");
    Properties1 = named(PopupMenu1->addAction(QStringLiteral("Properties")), "Properties1");

    PopupMenu2 = named(new QMenu(this), "PopupMenu2");
    ChangeDirectory1 = named(PopupMenu2->addAction(QStringLiteral("Change Destination Folder...")),
                             "ChangeDirectory1");
    ShowinExplorer2 =
        named(PopupMenu2->addAction(QStringLiteral("Show in Explorer")), "ShowinExplorer2");
}

void TAppForm::createTimers()
{
    TimerChecker = named(new QTimer(this), "TimerChecker");
    TimerChecker->setInterval(1000);
    TimerChecker->start();
    TimerParam = named(new QTimer(this), "TimerParam");
    TimerParam->start();
}

void TAppForm::connectHandlers()
{
    // Each handler shows its own error in the error box before its slot returns.
    const auto handler = [this](void (TAppForm::*method)()) {
        return showingErrors([this, method] { (this->*method)(); });
    };
    connect(AddFile1, &QAction::triggered, this, handler(&TAppForm::AddFile1Click));
    connect(AddFolder1, &QAction::triggered, this, handler(&TAppForm::AddFolder1Click));
    connect(ShowLog1, &QAction::triggered, this, handler(&TAppForm::ShowLog1Click));
    connect(
        ParallelConversionsGroup, &QActionGroup::triggered, this,
        showingErrors([this](QAction *item) { ParallelConversionsClick(item->data().toInt()); }));
    connect(Exit1, &QAction::triggered, this, handler(&TAppForm::Exit1Click));
    connect(ResettoDefaults1, &QAction::triggered, this, handler(&TAppForm::ResettoDefaults1Click));
    connect(Help2, &QAction::triggered, this, handler(&TAppForm::Help2Click));
    connect(UpdateNotifications1, &QAction::triggered, this,
            handler(&TAppForm::UpdateNotifications1Click));
    connect(SendFeedback1, &QAction::triggered, this, handler(&TAppForm::SendFeedback1Click));
    connect(About1, &QAction::triggered, this, handler(&TAppForm::About1Click));

    // Toolbar buttons run the click of the matching menu item.
    connect(ToolButton3, &QToolButton::clicked, AddFile1, &QAction::trigger);
    connect(ToolButton1, &QToolButton::clicked, AddFolder1, &QAction::trigger);
    connect(ToolButton7, &QToolButton::clicked, this, handler(&TAppForm::SendFeedback1Click));
    connect(ToolButton2, &QToolButton::clicked, this, handler(&TAppForm::About1Click));
    connect(ToolButton4, &QToolButton::clicked, Help2, &QAction::trigger);

    connect(Open1, &QAction::triggered, this, handler(&TAppForm::Open1Click));
    connect(ShowinExplorer1, &QAction::triggered, this, handler(&TAppForm::ShowinExplorer1Click));
    connect(Delete1, &QAction::triggered, this, handler(&TAppForm::Delete1Click));
    connect(DeleteAll1, &QAction::triggered, this, handler(&TAppForm::DeleteAll1Click));
    connect(Properties1, &QAction::triggered, this, handler(&TAppForm::Properties1Click));
    connect(Preview1, &QAction::triggered, this, handler(&TAppForm::Preview1Click));
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            showingErrors([this](const QPoint &point) {
                PopupMenu1->popup(ListView1->viewport()->mapToGlobal(point));
            }));

    connect(TrackBar1, &QSlider::valueChanged, this, handler(&TAppForm::TrackBar1Change));
    connect(TrackBar2, &QSlider::valueChanged, this, handler(&TAppForm::TrackBar2Change));
    connect(TrackBar3, &QSlider::valueChanged, this, handler(&TAppForm::TrackBar3Change));
    connect(Edit1, &QLineEdit::textChanged, this, handler(&TAppForm::Edit1Change));
    connect(Button2, &QToolButton::clicked, this, handler(&TAppForm::Button2Click));
    connect(ChangeDirectory1, &QAction::triggered, this, handler(&TAppForm::ChangeDirectory1Click));
    connect(ShowinExplorer2, &QAction::triggered, this, handler(&TAppForm::ShowinExplorer2Click));
    connect(Button1, &QPushButton::clicked, this, handler(&TAppForm::Button1Click));
    connect(named(new QShortcut(QKeySequence(Qt::Key_Escape), this), "EscapeShortcut"),
            &QShortcut::activated, this, handler(&TAppForm::EscapePressed));

    connect(TimerChecker, &QTimer::timeout, this, handler(&TAppForm::TimerCheckerTimer));
    connect(TimerParam, &QTimer::timeout, this, handler(&TAppForm::TimerParamTimer));
}

void TAppForm::FormCreate()
{
    setAcceptDrops(true);

    // The identity comes from the version block of the running executable.
    const QString executable = QCoreApplication::applicationFilePath();
    TEXEVersionData versionData;
    GetEXEVersionData(executable, versionData);
    CompanyName = versionData.CompanyName;
    ProductName = versionData.ProductName;
    AppVersion = majorMinorVersion(GetFileVersionNumber(executable));
    AppName = CompanyName + QStringLiteral(" - ") + ProductName;
    setWindowTitle(AppName);

    chooseSettingsFolder();
    TimerParam->setInterval(1);
    openSettingsStore();
    restoreParameters();
    restoreJobs();
    restoreKeep();
    prepareFileList();
    restoreTargetFolder();
    connectLevels();
}

QString TAppForm::statusText() const
{
    return StatusPanel->text();
}

void TAppForm::setStatusText(const QString &text)
{
    StatusPanel->setText(text);
}
