#pragma once

#include "about/matrixeffect.h"
#include "about/matriximage.h"

#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

// The About box: product name and version, the vendor's logo and link, the "Info" drop-down,
// falling green characters on the black margins, and a picture hidden behind the panel.
// Created at each opening; it is modal and destroys itself when closed.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // Width and height of the client area.
    static constexpr int ClientWidth = 446;
    static constexpr int ClientHeight = 374;

    TAboutBox(const QString &productName, const QString &appVersion, QWidget *parent = nullptr);
    ~TAboutBox() override;

    // Handlers, named after component and event.
    void FormCreate();
    void FormClose();
    void FormAfterMonitorDpiChanged();
    void tmTimerTimer();
    void TimerEggTimer();
    void Image1DblClick();
    void ImageEggDblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void Label5Click();
    void Credits1Click();
    void Howtouninstall1Click();
    void LicensePrivacyPolicy1Click();
    // Renders the logo, the hidden picture, the program icon and the drop-down arrow for the
    // screen's resolution.
    void HighDPIImageYukle();

    // The falling characters and the image they are drawn into.
    MatrixEffect Matrix;
    MatrixImage MatrixCells;

    // Components, by their names in the layout.
    QFrame *PanelEgg = nullptr;
    QLabel *ImageEgg = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *Image2 = nullptr;
    QFrame *Bevel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QLabel *BitBtn2Arrow = nullptr;
    QLabel *Label5 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Credits1 = nullptr;
    QAction *Howtouninstall1 = nullptr;
    QAction *LicensePrivacyPolicy1 = nullptr;
    QTimer *tmTimer = nullptr;
    QTimer *TimerEgg = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Dragging the window by its background and by the pictures, labels and panels on it.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Double-clicks on the pictures, clicks on the link, Escape on the buttons.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createHiddenPicture();
    void createPanel();
    void createInfoMenu();
    void createTimers();

    // The falling characters (about/aboutbox_matrix.cpp).
    void StartMatrix();
    void ResetMatrix();
    // The client area that the panels leave uncovered.
    QRegion uncoveredArea() const;

    QString m_productName;
    QString m_appVersion;
    bool dragging = false;
    QPoint dragPoint; // screen point of the cursor at the last drag step
    bool watchingScreen = false;
};
