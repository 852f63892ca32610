// The message boxes and file dialogs: texts and filters as Qt gets them, the
// answers.

#include "window/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vnt;

namespace {

const QChar CR(13);

// Runs `act` on the modal dialog that the next call opens; one still open after
// five seconds is closed, so that a fault cannot hang the test.
void onNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, qApp, [act] { act(QApplication::activeModalWidget()); });
    QTimer::singleShot(5000, qApp, [] {
        while (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close();
    });
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void messageTextsTakeQtsLineBreaks()
    {
        QCOMPARE(qtMessageText(QStringLiteral("found at:") + CR + CR + QStringLiteral("C:\\Games\\") + CR + "Use?"),
                 QStringLiteral("found at:\n\nC:\\Games\\\nUse?"));
        QCOMPARE(qtMessageText(QStringLiteral("a\r\nb\nc")), QStringLiteral("a\nb\nc"));
    }

    void fileFiltersTakeQtsForm()
    {
        const std::pair<const char*, const char*> filters[] = {
            {"aidata file, (aidata.viv)|aidata.viv", "aidata file, (aidata.viv)"},
            {"VNTxp File, (*.VNTxp) |*.VNTxp", "VNTxp File, (*.VNTxp)"},
            {"Archives|*.viv;*.big|All|*.*", "Archives (*.viv *.big);;All (*.*)"},
            {"", ""}};
        for (const auto& [filter, qt] : filters)
            QCOMPARE(qtFileFilter(QString::fromLatin1(filter)), QString::fromLatin1(qt));
    }

    void messageBoxShowsPlainTextWithTheAskedButtonsAndIcon()
    {
        QtDialogs dialogs;
        QMessageBox* seen = nullptr;
        onNextModal([&](QWidget* modal) {
            seen = qobject_cast<QMessageBox*>(modal);
            QVERIFY(seen);
            QCOMPARE(seen->text(), QStringLiteral("<b>Save</b>\nnow?"));
            QCOMPARE(seen->textFormat(), Qt::PlainText);
            QCOMPARE(seen->icon(), QMessageBox::Warning);
            QCOMPARE(seen->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            seen->button(QMessageBox::No)->click();
        });
        QVERIFY(dialogs.ask(QStringLiteral("Save changes?"), QStringLiteral("<b>Save</b>") + CR + "now?", Buttons::YesNoCancel,
                            Icon::Exclamation)
                == Answer::No);
        QVERIFY(seen);
    }

    // Its Cancel (or No).
    void closingAQuestionWithoutAButtonCancels()
    {
        onNextModal([](QWidget* modal) { modal->close(); });
        QVERIFY(QtDialogs().ask(QStringLiteral("Save?"), QStringLiteral("Save?"), Buttons::YesNoCancel, Icon::None)
                == Answer::Cancel);
    }

    void aBoxBeforeTheWindowIsShownIsCentredOnTheScreen()
    {
        QWidget hidden;
        QRect at;
        onNextModal([&at](QWidget* box) { at = box->geometry(), box->close(); });
        QtDialogs(&hidden).tell(QStringLiteral("Vantor 08 cannot start"), QStringLiteral("text"), Icon::Exclamation);
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((at.center() - centre).manhattanLength() < 50, "the box is centred on the screen");
    }

    void saveDialogLeavesTheOverwriteQuestionToTheEditor()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("mine.VNTxp"));
        QVERIFY(QFile(existing).open(QIODevice::WriteOnly));

        QtDialogs dialogs;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("VNTxp File (*.VNTxp)")});
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->selectFile(existing);
            static_cast<QDialog*>(dialog)->accept(); // as its Save button would
        });
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // Qt's own dialog, which a test can drive
        QCOMPARE(dialogs.saveFile(QStringLiteral("Choose location..."), dir.path(), QStringLiteral("VNTxp File |*.VNTxp")),
                 QDir::toNativeSeparators(existing));
    }
};

QTEST_MAIN(QtDialogsTest)
#include "tst_qtdialogs.moc"
