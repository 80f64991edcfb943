#include "app/appform.h"
#include "app/filelistmodel.h"
#include "support/fakeffmpeg.h"
#include "support/guitestmain.h"
#include "support/testaudio.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <optional>

// "Preview": the selected rows' conversion commands with FFmpeg's null output.
class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.emplace();
        form = window->open();
        QVERIFY(form);
    }
    void cleanup() { window.reset(); }

    // The selected rows get the lengths their files would have; nothing is written anywhere,
    // and rows not selected keep what they had.
    void selectedRowsArePreviewedWithoutWriting_data()
    {
        QTest::addColumn<int>("jobs");
        // clang-format off
        QTest::newRow("one at a time") << 1;
        QTest::newRow("side by side")  << 2;
        // clang-format on
    }
    void selectedRowsArePreviewedWithoutWriting()
    {
        QFETCH(int, jobs);
        form->Jobs = jobs;
        const QString sources = window->folders().work();
        QStringList talks;
        for (const QString name : {"a.wav", "b.wav", "c.wav"}) {
            talks << sources + u'/' + name;
            QVERIFY(makeTestAudio(talks.last(), 2));
        }
        form->FileList->add(talks);
        form->FileList->setResult(0, QStringLiteral("OK"), {}, QStringLiteral("kept"));
        const QString target = window->folders().path() + QStringLiteral("/target");
        form->Edit1->setText(target);
        QItemSelectionModel *selection = form->ListView1->selectionModel();
        for (const int row : {1, 2})
            selection->select(form->FileList->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);

        form->Preview1->trigger();

        QCOMPARE(window->listedResults(), QStringList({"OK", "Preview", "Preview"}));
        QCOMPARE(form->FileList->saved(0), QStringLiteral("kept"));
        // Six seconds of half-second tones and pauses: about half is removed.
        for (const int row : {1, 2})
            QVERIFY2(form->FileList->saved(row).startsWith(QStringLiteral("6.0 s → 3.")),
                     qPrintable(form->FileList->saved(row)));
        QVERIFY(form->MemoCMD->toPlainText().contains(QStringLiteral("\" -af silenceremove=")));
        QVERIFY(form->MemoCMD->toPlainText().contains(QStringLiteral(" -f null -\n")));
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QDir(sources).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 3);
    }

    void unreadableFileIsAnError()
    {
        const QString damaged = window->folders().work() + QStringLiteral("/damaged.mp3");
        QVERIFY(writeBytes(damaged, "not a recording"));
        form->FileList->add({damaged});
        form->ListView1->selectRow(0);
        form->Preview1->trigger();
        QCOMPARE(window->listedResults(), QStringList({"Error"}));
        QCOMPARE(form->FileList->saved(0), QString());
    }

    // "Stop" ends a preview as it ends a conversion.
    void stopEndsThePreview()
    {
        QVERIFY(
            !writeFakeFfmpeg(window->fakeProgramFolder(), "echo previewing; sleep 60").isEmpty());
        form->Jobs = 1;
        form->FileList->add({QStringLiteral("/in/one.mp3"), QStringLiteral("/in/two.mp3")});
        form->ListView1->selectAll();
        connect(form->MemoCMD, &QPlainTextEdit::textChanged, this, [&] {
            if (form->MemoCMD->toPlainText().contains(QStringLiteral("previewing")))
                form->Button1->click();
        });
        form->Preview1->trigger();
        QCOMPARE(window->listedResults(), QStringList({"Stopped", ""}));
        QCOMPARE(form->Button1->text(), QStringLiteral("Remove Silence"));
    }

private:
    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
