// Whatever a user pastes or does through the real window: an error or a number,
// nothing lost, no crash, and the window keeps answering.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <memory>
#include <vector>

#include "support/modal_driver.h"
#include "support/recorded_form.h"
#include "support/recording_printer.h"
#include "ui/form1.h"
#include "ui/preview_window.h"

using testing_support::ModalDriver;
using testing_support::pressAndDismiss;
using testing_support::RecordingPrinter;

namespace {

// Resident memory of this process in kB, from /proc.
long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

}  // namespace

class HostileWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ui::Form1> form;
    std::vector<RecordingPrinter::Document> printed;

    QList<QLineEdit*> fields() const {
        return {form->T_Main[0], form->T_Main[1], form->T_Main[2], form->T_FU[0],
                form->T_FU[1],   form->T_FU[2],   form->T_mb,      form->Text1,
                form->Text2,     form->Text3,     form->Text4};
    }

    void paste(QLineEdit* field, const QString& text) {
        QApplication::clipboard()->setText(text);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

    // How long the window takes to handle the next event.
    qint64 answerTime() {
        QElapsedTimer clock;
        clock.start();
        bool answered = false;
        QTimer::singleShot(0, form.get(), [&] { answered = true; });
        if (!QTest::qWaitFor([&] { return answered; }, 5000)) {
            return 5000;
        }
        return clock.elapsed();
    }

    void preview(const std::function<void(ui::FrmPrint*)>& inside) {
        ModalDriver driver([&](QWidget* modal) {
            auto* window = dynamic_cast<ui::FrmPrint*>(modal);
            QVERIFY(window);
            inside(window);
            window->Command2->click();
        });
        QTest::mouseClick(form->Com_Print, Qt::LeftButton);
        QVERIFY(!driver.timedOut());
    }

  private slots:
    void init() {
        printed.clear();
        form = testing_support::shownForm(&printed);
        QVERIFY(form);
    }
    void cleanup() { form.reset(); }

    void megabytePastedIntoEachFieldIsKeptAndReported() {
        const QString megabyte(1 << 20, QChar('7'));
        for (QLineEdit* field : fields()) {
            const QString before = field->text();
            paste(field, megabyte);
            QCOMPARE(field->text().size(), megabyte.size());  // nothing cut off
            bool reported = false;
            for (QPushButton* button : {form->Command2, form->Command1, form->Com_Count}) {
                reported = pressAndDismiss(button) == "运行时错误：溢出" || reported;
                QVERIFY2(answerTime() < 1000, qPrintable(field->objectName()));
            }
            QVERIFY2(reported, qPrintable(field->objectName()));
            QCOMPARE(field->text().size(), megabyte.size());
            field->setText(before);
        }
        // A megabyte of digits is beyond every type: the add failed for each of
        // the three plate fields and succeeded for the eight it does not read.
        QCOMPARE(form->List1->count(), 8);
        QCOMPARE(int(form->plateTable().count()), 8);
    }

    void strangeCharactersGiveAnErrorOrANumber() {
        const QList<QString> texts = {
            QString("12") + QChar(0) + "3",     QString::fromUtf8("12\xF0\x9F\x90\x9F"),
            QString(QChar(0x200F)) + "12",      QString::fromUtf8("\xEF\xBC\x91\xEF\xBC\x92"),
            QString("1") + QChar(0xD800) + "2", QString(QChar(0xDFFF)),
        };
        // Each field with the operations that read it.
        const QList<QPair<QLineEdit*, QList<QPushButton*>>> readers = {
            {form->T_Main[0], {form->Command2, form->Com_Count}},
            {form->Text2, {form->Command2, form->Com_Count}},
            {form->T_FU[0], {form->Command1}},
            {form->T_FU[2], {form->Command1}},
            {form->T_mb, {form->Com_Count}},
            {form->Text1, {form->Com_Count}},
            {form->Text3, {form->Com_Count}},
            {form->Text4, {form->Com_Count}},
        };
        static const QRegularExpression number(R"(^[ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)[ \t]*$)");
        for (const QString& text : texts) {
            for (const auto& [field, buttons] : readers) {
                const QString before = field->text();
                paste(field, text);
                const QString held = field->text();
                const bool isNumber = number.match(held).hasMatch();
                for (QPushButton* button : buttons) {
                    const QString message = pressAndDismiss(button);
                    QVERIFY2(isNumber ? message.isEmpty() : message.startsWith("运行时错误："),
                             qPrintable(field->objectName() + ": " + message));
                }
                QCOMPARE(field->text(), held);  // the text stays for the user to correct
                field->setText(before);
            }
        }
        QCOMPARE(form->List1->count(), 0);
    }

    void fullTableRefusesTheNextPlateAndStillReports() {
        for (int i = 0; i < 101; ++i) {
            form->T_FU[0]->setText(QString::number(i + 1));
            QCOMPARE(pressAndDismiss(form->Command1), QString());
        }
        QCOMPARE(int(form->plateTable().count()), 101);
        QCOMPARE(pressAndDismiss(form->Command1), QString("运行时错误：下标越界"));
        QCOMPARE(form->List1->count(), 101);
        QCOMPARE(int(form->plateTable().count()), 101);
        QCOMPARE(form->List1->item(100)->text(), QString("长101  *  宽  0   *  1块"));

        QCOMPARE(pressAndDismiss(form->Com_Count), QString());
        QVERIFY(!form->Label_HeJi[4]->text().isEmpty());
        int shown = 0;
        preview([&](ui::FrmPrint* window) {
            shown = window->List1->count();
            window->Command1->click();
        });
        QCOMPARE(shown, 116);
        QCOMPARE(printed.size(), std::size_t(1));
        QCOMPARE(printed[0].size(), std::size_t(116));
    }

    void fiftyPreviewsGiveTheSameReportWithoutGrowing() {
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTest::mouseClick(form->Com_Count, Qt::LeftButton);
        QStringList first;
        long memoryAfterTen = 0;
        for (int round = 0; round < 50; ++round) {
            QStringList lines;
            preview([&](ui::FrmPrint* window) {
                for (int i = 0; i < window->List1->count(); ++i) {
                    lines << window->List1->item(i)->text();
                }
                window->Command1->click();
            });
            if (round == 0) {
                first = lines;
            }
            QCOMPARE(lines, first);
            if (round == 9) {
                memoryAfterTen = residentKb();
            }
        }
        QCOMPARE(first.size(), 16);
        QCOMPARE(printed.size(), std::size_t(50));
        for (const auto& document : printed) {
            QCOMPARE(document, printed.front());
        }
#ifndef __SANITIZE_ADDRESS__
        // Under AddressSanitizer freed memory sits in quarantine and resident
        // size means nothing; LeakSanitizer checks for leaks there instead.
        const long growth = residentKb() - memoryAfterTen;
        QVERIFY2(growth < 4096, qPrintable(QString("grew by %1 kB").arg(growth)));
#else
        Q_UNUSED(memoryAfterTen);
#endif
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    HostileWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hostile_window_test.moc"
