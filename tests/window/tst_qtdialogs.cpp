// The message boxes and file dialogs: texts and filters as Qt gets them, the
// answers.

#include "window/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
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

    void textsAndFiltersTakeQtsForm()
    {
        QCOMPARE(qtMessageText(QStringLiteral("found at:") + CR + CR + QStringLiteral("C:\\Games\\") + CR + "Use?"),
                 QStringLiteral("found at:\n\nC:\\Games\\\nUse?"));
        QCOMPARE(qtMessageText(QStringLiteral("a\r\nb\nc")), QStringLiteral("a\nb\nc"));
        const std::pair<const char*, const char*> filters[] = {
            {"aidata file, (aidata.viv)|aidata.viv", "aidata file, (aidata.viv)"},
            {"VNTxp File |*.VNTxp", "VNTxp File (*.VNTxp)"},
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
        QString text;
        onNextModal([&](QWidget* modal) {
            seen = qobject_cast<QMessageBox*>(modal);
            QVERIFY(seen);
            text = seen->text();
            QCOMPARE(seen->textFormat(), Qt::PlainText);
            QCOMPARE(seen->icon(), QMessageBox::Warning);
            QCOMPARE(seen->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            seen->button(QMessageBox::No)->click();
        });
        QVERIFY(dialogs.ask(QStringLiteral("Save changes?"), QStringLiteral("<b>Save</b>") + CR + "now?",
                            Buttons::YesNoCancel, Icon::Exclamation)
                == Answer::No);
        QVERIFY(seen);
        QCOMPARE(text, QStringLiteral("<b>Save</b>\nnow?"));

        // Closing a question without a button stands for its Cancel (or No).
        onNextModal([](QWidget* modal) { modal->close(); });
        QVERIFY(dialogs.ask(QStringLiteral("Save changes?"), QStringLiteral("Save?"), Buttons::YesNoCancel,
                            Icon::None)
                == Answer::Cancel);
    }

    void saveDialogLeavesTheOverwriteQuestionToTheEditor()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("mine.VNTxp"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QtDialogs dialogs;
        QStringList filters;
        bool confirms = true;
        onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(existing);
            static_cast<QDialog*>(dialog)->accept(); // as its Save button would
        });
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // Qt's own dialog, which a test can drive
        QCOMPARE(dialogs.saveFile(QStringLiteral("Choose location..."), dir.path(),
                                  QStringLiteral("VNTxp File |*.VNTxp")),
                 QDir::toNativeSeparators(existing));
        QCOMPARE(filters, QStringList{QStringLiteral("VNTxp File (*.VNTxp)")});
        QVERIFY(!confirms);
    }
};

QTEST_MAIN(QtDialogsTest)
#include "tst_qtdialogs.moc"
