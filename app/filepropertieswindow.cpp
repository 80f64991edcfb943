#include "app/filepropertieswindow.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace
{
QLabel *value(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

void showFilePropertiesWindow(QWidget *parent, const QString &path)
{
    const QFileInfo file(path);
    const QLocale locale;

    auto *window = new QDialog(parent);
    window->setObjectName(QStringLiteral("FileProperties"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(file.fileName() + QStringLiteral(" Properties"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Path:"), value(file.absoluteFilePath(), "PathValue"));
    // "4 bytes", "1.44 MiB (1,509,949 bytes)"
    QString size = locale.formattedDataSize(file.size());
    if (file.size() >= 1024)
        size += QStringLiteral(" (%1 bytes)").arg(locale.toString(file.size()));
    fields->addRow(QStringLiteral("Size:"), value(size, "SizeValue"));
    fields->addRow(
        QStringLiteral("Modified:"),
        value(locale.toString(file.lastModified(), QLocale::LongFormat), "ModifiedValue"));
    fields->addRow(QStringLiteral("Type:"),
                   value(QMimeDatabase().mimeTypeForFile(file).comment(), "TypeValue"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    auto *column = new QVBoxLayout(window);
    column->addLayout(fields);
    column->addWidget(buttons);
    window->show();
}
