#include "ui/preview_window.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <vector>

#include "support/modal_driver.h"
#include "support/recording_printer.h"

using testing_support::ModalDriver;
using testing_support::RecordingPrinter;

class PreviewWindowTest : public QObject {
    Q_OBJECT

  private:
    std::vector<RecordingPrinter::Document> printed;
    bool printerPresent = true;

    std::unique_ptr<ui::FrmPrint> makePreview(int lines) {
        auto preview = std::make_unique<ui::FrmPrint>(
            [this] {
                return std::make_unique<RecordingPrinter>(
                    &printed, report::PageGeometry{100000, 240}, printerPresent);
            },
            nullptr);
        for (int i = 0; i < lines; ++i) {
            preview->addLine("第" + std::to_string(i) + "行");
        }
        return preview;
    }

    // Shows the preview modally, runs `action` inside it, and reports whether
    // exec() returned by itself (the window was unloaded) within the time limit.
    bool runModal(ui::FrmPrint* preview, const std::function<void()>& action) {
        ModalDriver driver([&](QWidget*) { action(); }, 5000);
        preview->exec();
        return !driver.timedOut();
    }

  private slots:
    void init() {
        printed.clear();
        printerPresent = true;
    }

    void layoutAndFocus() {
        auto preview = makePreview(3);
        QCOMPARE(preview->windowTitle(), QString("打印预览"));
        QCOMPARE(preview->size(), QSize(603, 420));
        QCOMPARE(preview->List1->geometry(), QRect(64, 32, 401, 329));
        QCOMPARE(preview->Command1->text(), QString("打印"));
        QCOMPARE(preview->Command2->geometry(), QRect(488, 72, 73, 29));
        QVERIFY(!preview->Command1->isDefault() && !preview->Command1->autoDefault());
        QVERIFY(!preview->Command2->isDefault() && !preview->Command2->autoDefault());
        QWidget* focused = nullptr;
        QVERIFY(runModal(preview.get(), [&] {
            focused = preview->focusWidget();
            preview->Command2->click();
        }));
        QCOMPARE(focused, preview->List1);
    }

    void escapeAndEnterDoNothing() {
        auto preview = makePreview(17);
        bool stillOpen = false;
        QVERIFY(runModal(preview.get(), [&] {
            for (QWidget* target :
                 {static_cast<QWidget*>(preview->List1), static_cast<QWidget*>(preview->Command1),
                  static_cast<QWidget*>(preview.get())}) {
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Escape);
                QTest::keyClick(target, Qt::Key_Return);
                QTest::keyClick(target, Qt::Key_Enter);
            }
            stillOpen = preview->isVisible();
            preview->Command2->click();
        }));
        QVERIFY(stillOpen);
        QVERIFY(printed.empty());
    }

    void closeBoxUnloadsLikeTheCloseButton() {
        auto preview = makePreview(2);
        QVERIFY(runModal(preview.get(), [&] { preview->close(); }));
        QVERIFY(!preview->isVisible());
    }

    void printingTwiceGivesTwoIdenticalDocuments() {
        auto preview = makePreview(17);
        QVERIFY(runModal(preview.get(), [&] {
            preview->Command1->click();
            preview->Command1->click();
            preview->Command2->click();
        }));
        QCOMPARE(printed.size(), std::size_t(2));
        QCOMPARE(printed[0], printed[1]);
        QCOMPARE(printed[0].size(), std::size_t(17));
        QCOMPARE(printed[0][0], (RecordingPrinter::Line{0, 500, 1000, "第0行"}));
        QCOMPARE(printed[0][16].y, 6600);
        QCOMPARE(preview->List1->count(), 17);
        QCOMPARE(preview->List1->currentRow(), 16);
    }

    void noPrinterReportsThePrinterErrorAndPrintsNothing() {
        printerPresent = false;
        auto preview = makePreview(17);
        QString message;
        int rowBefore = -2;
        QVERIFY(runModal(preview.get(), [&] {
            rowBefore = preview->List1->currentRow();
            ModalDriver box(
                [&](QWidget* modal) {
                    if (auto* b = qobject_cast<QMessageBox*>(modal)) {
                        message = b->text();
                    }
                    modal->close();
                },
                3000);
            preview->Command1->click();
            preview->Command2->click();
        }));
        QCOMPARE(message, QString("运行时错误：打印机错误"));
        QVERIFY(printed.empty());
        QCOMPARE(preview->List1->currentRow(), rowBefore);  // no line was walked
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "preview_window_test.moc"
