// The message boxes and file dialogs: texts and filters as Qt gets them, the
// answers, and the queue that answers in place of a person.

#include "QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vnt;

namespace {

const QChar CR(13);

// Runs `act` on the modal dialog that the next call opens; a dialog still open
// after five seconds is closed so that a fault cannot hang the test.
void onNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
    QTimer::singleShot(5000, qApp, [] {
        while (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close();
    });
}

QAbstractButton* buttonWithText(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons()) {
        if (b->text().remove(QLatin1Char('&')) == text)
            return b;
    }
    return nullptr;
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QtDialogs::clearQueue(); }
    void cleanup() { QtDialogs::clearQueue(); }

    void carriageReturnsBecomeLineBreaks();
    void oneEntryFiltersTakeQtsForm();
    void queuedRepliesAnswerInOrderAndRecordWhatWouldShow();
    void messageBoxShowsPlainTextWithTheAskedButtonsAndIcon();
    void escapeOrClosingAnswersNoOrCancel();
    void saveDialogLeavesTheOverwriteQuestionToTheEditor();
};

void QtDialogsTest::carriageReturnsBecomeLineBreaks()
{
    const QString text = QStringLiteral("VNT08 found NHL08 at the following location:") + CR + CR
                         + QStringLiteral("C:\\Games\\") + CR + CR + QStringLiteral("Do you want?");
    QCOMPARE(qtMessageText(text),
             QStringLiteral("VNT08 found NHL08 at the following location:\n\nC:\\Games\\\n\nDo you want?"));
    QCOMPARE(qtMessageText(QStringLiteral("a\r\nb\nc")), QStringLiteral("a\nb\nc"));
}

void QtDialogsTest::oneEntryFiltersTakeQtsForm()
{
    QCOMPARE(qtFileFilter(QStringLiteral("aidata file, (aidata.viv)|aidata.viv")),
             QStringLiteral("aidata file, (aidata.viv)"));
    QCOMPARE(qtFileFilter(QStringLiteral("VNTxp File |*.VNTxp")), QStringLiteral("VNTxp File (*.VNTxp)"));
    QCOMPARE(qtFileFilter(QStringLiteral("VNTxp File, (*.VNTxp) |*.VNTxp")), QStringLiteral("VNTxp File, (*.VNTxp)"));
    QCOMPARE(qtFileFilter(QStringLiteral("Archives|*.viv;*.big|All|*.*")),
             QStringLiteral("Archives (*.viv *.big);;All (*.*)"));
    QCOMPARE(qtFileFilter(QStringLiteral("|*.viv")), QStringLiteral("*.viv"));
    QCOMPARE(qtFileFilter(QString()), QString());
}

void QtDialogsTest::queuedRepliesAnswerInOrderAndRecordWhatWouldShow()
{
    QtDialogs dialogs;
    QtDialogs::queueAnswer(Answer::No);
    QtDialogs::queuePath(QStringLiteral("/games/aidata.viv"));
    QtDialogs::queuePath(QString());

    QCOMPARE(dialogs.ask(QStringLiteral("Quit VNT 08?"), QStringLiteral("a") + CR + QStringLiteral("b"),
                         Buttons::YesNo, Icon::None),
             Answer::No);
    QCOMPARE(dialogs.openFile(QStringLiteral("Select aidata.viv file"), QStringLiteral("/opt/vantor"),
                              QStringLiteral("aidata file, (aidata.viv)|aidata.viv")),
             QStringLiteral("/games/aidata.viv"));
    QVERIFY(dialogs.saveFile(QStringLiteral("Choose location..."), QStringLiteral("/opt"),
                             QStringLiteral("VNTxp File |*.VNTxp"))
                .isEmpty());
    QVERIFY(QtDialogs::queueEmpty());

    const auto& shown = QtDialogs::shown();
    QCOMPARE(shown.size(), std::size_t(3));
    QVERIFY(shown[0].kind == QtDialogs::Kind::Message && shown[0].buttons == Buttons::YesNo);
    QCOMPARE(shown[0].text, QStringLiteral("a\nb"));
    QVERIFY(shown[1].kind == QtDialogs::Kind::Open);
    QCOMPARE(shown[1].folder, QStringLiteral("/opt/vantor"));
    QCOMPARE(shown[1].filter, QStringLiteral("aidata file, (aidata.viv)"));
    QVERIFY(shown[2].kind == QtDialogs::Kind::Save);
    QCOMPARE(shown[2].title, QStringLiteral("Choose location..."));
}

void QtDialogsTest::messageBoxShowsPlainTextWithTheAskedButtonsAndIcon()
{
    QtDialogs dialogs;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons offered;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        offered = box->standardButtons();
        buttonWithText(box, QStringLiteral("No"))->click();
    });
    const Answer answer = dialogs.ask(QStringLiteral("Save changes?"),
                                      QStringLiteral("<b>Save</b>") + CR + QStringLiteral("now?"),
                                      Buttons::YesNoCancel, Icon::Exclamation);
    QCOMPARE(answer, Answer::No);
    QCOMPARE(text, QStringLiteral("<b>Save</b>\nnow?"));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    onNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->defaultButton()->click(); });
    QCOMPARE(dialogs.ask(QStringLiteral("Changes saved..."), QStringLiteral("Changes have been saved."),
                         Buttons::Ok, Icon::Information),
             Answer::Ok);
}

void QtDialogsTest::escapeOrClosingAnswersNoOrCancel()
{
    QtDialogs dialogs;
    onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(dialogs.ask(QStringLiteral("Quit VNT 08?"), QStringLiteral("Quit VNT 08 now ?"), Buttons::YesNo,
                         Icon::None),
             Answer::No);
    onNextModal([](QWidget* modal) { modal->close(); });
    QCOMPARE(dialogs.ask(QStringLiteral("Save changes?"), QStringLiteral("Save?"), Buttons::YesNoCancel, Icon::None),
             Answer::Cancel);
}

void QtDialogsTest::saveDialogLeavesTheOverwriteQuestionToTheEditor()
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
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as its Save button would
    });
    // QFileDialog's own widgets: a native dialog could not be driven here.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QString chosen = dialogs.saveFile(QStringLiteral("Choose location..."), dir.path(),
                                            QStringLiteral("VNTxp File |*.VNTxp"));
    QCOMPARE(chosen, QDir::toNativeSeparators(existing));
    QCOMPARE(filters, QStringList{QStringLiteral("VNTxp File (*.VNTxp)")});
    QVERIFY(!confirms);
}

QTEST_MAIN(QtDialogsTest)
#include "tst_qtdialogs.moc"
