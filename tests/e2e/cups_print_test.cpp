// Prints the worked example from the real window through a real CUPS scheduler
// and reads back what the printer received.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "printing/system_printers.h"
#include "private_cups.h"
#include "support/modal_driver.h"
#include "support/recorded_form.h"
#include "support/worked_example.h"
#include "ui/form1.h"
#include "ui/preview_window.h"

using testing_support::CaptureServer;
using testing_support::ModalDriver;
using testing_support::PrivateCups;

namespace {

QStringList expectedReport() {
    QStringList lines;
    for (const std::string& line : testing_support::workedExampleReport()) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

// A CJK font shares one glyph between an ideograph and a radical or variant, and
// text extraction may name the glyph by the other code point. These are the
// pairs the report's characters meet in Noto Sans CJK; NFKC does not fold them.
QString unaliased(QString text) {
    static const std::pair<char16_t, char16_t> kAliases[] = {
        {u'\u2EE5', u'鱼'}, {u'\u2ED3', u'长'}, {u'\u3B35', u'胶'}};
    for (auto [alias, ideograph] : kAliases) {
        text.replace(QChar(alias), QChar(ideograph));
    }
    return text;
}

// PDF text extraction maps some CJK glyphs to compatibility characters and
// re-spaces text: compare in NFKC with runs of spaces folded.
QString folded(const QString& text) {
    return unaliased(text.normalized(QString::NormalizationForm_KC)).simplified();
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfLine {
    double top;
    QString text;
};

// The text lines of the document with the top of each, from pdftotext's boxes.
QList<PdfLine> pdfLines(const QString& pdf) {
    const QString html = run("pdftotext", {"-bbox-layout", pdf, "-"});
    static const QRegularExpression line(
        R"re(<line xMin="[^"]*" yMin="([^"]*)"[^>]*>(.*?)</line>)re",
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression word(R"re(<word[^>]*>([^<]*)</word>)re");
    QList<PdfLine> out;
    for (auto m = line.globalMatch(html); m.hasNext();) {
        const auto found = m.next();
        QStringList words;
        for (auto w = word.globalMatch(found.captured(2)); w.hasNext();) {
            words << w.next().captured(1);
        }
        out.append({found.captured(1).toDouble(), words.join(' ')});
    }
    return out;
}

}  // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT

  private:
    PrivateCups cups;
    CaptureServer printer;
    const QString queue = "quillmere-e2e";

    QString addQueue() {
        return cups.addDefaultRawQueue(queue, QString("socket://127.0.0.1:%1").arg(printer.port()));
    }

    void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    // Types the worked example into the window, computes it, opens the preview
    // and runs `inside` in it; the preview is closed afterwards.
    void inPreviewOfWorkedExample(const std::function<void(ui::FrmPrint*)>& inside) {
        ui::Form1 form(printing::systemPrinters());  // the shipped printer
        form.show();
        for (auto [field, text] : {std::pair{form.T_Main[0], "60"},
                                   {form.T_Main[1], "30"},
                                   {form.T_Main[2], "40"},
                                   {form.Text1, "100"},
                                   {form.T_mb, "2"},
                                   {form.Text3, "15"},
                                   {form.Text4, "2"}}) {
            type(field, text);
        }
        QTest::mouseClick(form.Command2, Qt::LeftButton);
        for (auto [l, w, c] : {std::tuple{"20", "10", "1"}, {"25", "8", "2"}}) {
            type(form.T_FU[0], l);
            type(form.T_FU[1], w);
            type(form.T_FU[2], c);
            QTest::mouseClick(form.Command1, Qt::LeftButton);
        }
        QTest::mouseClick(form.Com_Count, Qt::LeftButton);

        ModalDriver driver(
            [&](QWidget* modal) {
                auto* preview = dynamic_cast<ui::FrmPrint*>(modal);
                QVERIFY(preview);
                inside(preview);
                QTest::mouseClick(preview->Command2, Qt::LeftButton);
            },
            90000);
        QTest::mouseClick(form.Com_Print, Qt::LeftButton);
        QVERIFY(!driver.timedOut());
        QVERIFY(form.isVisible());
    }

    // Presses "打印" and returns the text of the message box it showed, or "".
    static QString pressPrint(ui::FrmPrint* preview) {
        return testing_support::pressAndDismiss(preview->Command1);
    }

    // Waits for the next job and checks it is the whole worked example's report,
    // its lines 350 twips apart.
    void checkNextJobIsTheReport(int jobsBefore) {
        QVERIFY2(QTest::qWaitFor([&] { return printer.jobs().size() > jobsBefore; }, 60000),
                 qPrintable("no job reached the printer\n" + cups.errorLog()));
        QCOMPARE(printer.jobs().size(), jobsBefore + 1);
        const QByteArray document = printer.jobs().last();
        QVERIFY2(document.startsWith("%PDF"), document.left(64).constData());

        QTemporaryDir dir;
        const QString pdf = dir.filePath("job.pdf");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(document);
        file.close();

        const QStringList report = expectedReport();
        QStringList expected;
        for (const QString& line : report) {
            if (!line.trimmed().isEmpty()) {
                expected << folded(line);
            }
        }
        QStringList extracted;
        for (const QString& line : run("pdftotext", {"-layout", pdf, "-"}).split('\n')) {
            if (!line.trimmed().isEmpty()) {
                extracted << folded(line);
            }
        }
        QCOMPARE(extracted, expected);

        // The lines stand 350 twips (17.5 pt) apart, blank lines included.
        const QList<PdfLine> lines = pdfLines(pdf);
        QCOMPARE(lines.size(), expected.size());
        QList<int> reportIndex;
        for (int i = 0; i < report.size(); ++i) {
            if (!report[i].trimmed().isEmpty()) {
                reportIndex << i;
            }
        }
        // A box's top depends on the face its text starts in, so lines are
        // compared with the previous line that starts in the same face: the rows
        // of asterisks with each other, the Chinese lines with each other.
        for (int i = 0; i < lines.size(); ++i) {
            const bool stars = lines[i].text.startsWith('*');
            for (int j = i - 1; j >= 0; --j) {
                if (lines[j].text.startsWith('*') != stars) {
                    continue;
                }
                const double pitch =
                    (lines[i].top - lines[j].top) / (reportIndex[i] - reportIndex[j]);
                QVERIFY2(qAbs(pitch - 17.5) < 0.05,
                         qPrintable(QString("line %1: %2 pt").arg(reportIndex[i]).arg(pitch)));
                break;
            }
        }
    }

  private slots:
    void initTestCase() {
        const QString added = addQueue();
        QVERIFY2(added.isEmpty(), qPrintable(added));
    }

    void printsTheWorkedExampleOnTheDefaultPrinter() {
        inPreviewOfWorkedExample([&](ui::FrmPrint* preview) {
            const int before = int(printer.jobs().size());
            QCOMPARE(pressPrint(preview), QString());
            checkNextJobIsTheReport(before);
        });
    }

    // The scheduler breaks while the preview is open: the press is the printer
    // error, nothing reaches the printer, and once mended one press prints.
    void aBrokenSchedulerIsThePrinterErrorUntilMended_data() {
        QTest::addColumn<QStringList>("breakIt");
        QTest::addColumn<QStringList>("mend");
        QTest::newRow("queue rejects jobs")
            << QStringList{"cupsreject", queue} << QStringList{"cupsaccept", queue};
        QTest::newRow("queue removed")
            << QStringList{"lpadmin", "-x", queue} << QStringList{"add queue"};
        QTest::newRow("scheduler stopped")
            << QStringList{"stop scheduler"} << QStringList{"start scheduler"};
    }

    void aBrokenSchedulerIsThePrinterErrorUntilMended() {
        QFETCH(QStringList, breakIt);
        QFETCH(QStringList, mend);
        const auto act = [&](const QStringList& step) {
            if (step.first() == "add queue") {
                return addQueue();
            }
            if (step.first() == "stop scheduler") {
                return cups.stop();
            }
            if (step.first() == "start scheduler") {
                return cups.start();
            }
            return cups.run(step.first(), step.mid(1));
        };
        inPreviewOfWorkedExample([&](ui::FrmPrint* preview) {
            const int before = int(printer.jobs().size());
            const int lines = preview->List1->count();
            QCOMPARE(act(breakIt), QString());
            const QString message = pressPrint(preview);
            QVERIFY2(message.startsWith("运行时错误：打印机错误"), qPrintable(message));
            QTest::qWait(1500);  // a job sent by mistake would arrive by now
            QCOMPARE(printer.jobs().size(), before);
            QVERIFY(preview->isVisible());
            QCOMPARE(preview->List1->count(), lines);

            QCOMPARE(act(mend), QString());
            QCOMPARE(pressPrint(preview), QString());
            checkNextJobIsTheReport(before);
        });
    }
};

int main(int argc, char** argv) {
    // Without the private scheduler it skips as every check does: it says why
    // and ends with status 77.
    if (const QString reason = PrivateCups::unavailableReason(); !reason.isEmpty()) {
        std::printf("SKIP %s\n", qPrintable(reason));
        return 77;
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    CupsPrintTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "cups_print_test.moc"
