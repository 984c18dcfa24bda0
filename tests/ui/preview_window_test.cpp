#include "ui/preview_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <vector>

#include "printing/picture.h"
#include "support/modal_driver.h"
#include "support/recording_printer.h"
#include "support/worked_example.h"

using testing_support::ModalDriver;
using testing_support::RecordingPrinter;

class PreviewWindowTest : public QObject {
    Q_OBJECT

  private:
    std::vector<RecordingPrinter::Document> printed;
    bool printerPresent = true;

    std::unique_ptr<ui::FrmPrint> makePreview(const std::vector<std::string>& lines) {
        auto preview = makePreview(0);
        for (const std::string& line : lines) {
            preview->addLine(line);
        }
        return preview;
    }

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
        QCOMPARE(preview->Command1->text(), QString("打印"));
        QCOMPARE(preview->Command2->text(), QString("关闭"));
        // The list fills most of the window; "打印" stands level with its top,
        // right of it, and "关闭" below "打印", the same size; nothing overlaps.
        const QRect list = preview->List1->geometry();
        const QRect print = preview->Command1->geometry();
        const QRect close = preview->Command2->geometry();
        QVERIFY(preview->rect().contains(list | print | close));
        QVERIFY(list.width() * list.height() > preview->width() * preview->height() / 2);
        QVERIFY(list.right() < print.left());
        QCOMPARE(print.top(), list.top());
        QCOMPARE(close.left(), print.left());
        QCOMPARE(close.size(), print.size());
        QVERIFY(print.bottom() < close.top());
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

    // Each way of copying puts the whole report on the clipboard, and leaves the
    // preview, its selection and the next printout as they were. The keys do so
    // wherever focus is in the preview, and before the preview is the active
    // window as well: a key that comes early must not copy one line.
    void copyingPutsTheWholeReportOnTheClipboard_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("inactive");
        QTest::newRow("Ctrl+C") << "Ctrl+C" << false << "List1" << false;
        QTest::newRow("Ctrl+Shift+C") << "Ctrl+Shift+C" << true << "List1" << false;
        QTest::newRow("Ctrl+C on 打印") << "Ctrl+C" << false << "Command1" << false;
        QTest::newRow("Ctrl+Shift+C on 关闭") << "Ctrl+Shift+C" << true << "Command2" << false;
        QTest::newRow("Ctrl+C, the preview not active") << "Ctrl+C" << false << "List1" << true;
        QTest::newRow("Ctrl+Shift+C on 打印, the preview not active")
            << "Ctrl+Shift+C" << true << "Command1" << true;
        QTest::newRow("Shift+F10, 复制文字") << "Shift+F10" << false << "List1" << false;
        QTest::newRow("menu key, 复制图片") << "menu key" << true << "List1" << false;
        QTest::newRow("right click, 复制图片") << "right click" << true << "List1" << false;
    }

    void copyingPutsTheWholeReportOnTheClipboard() {
        QFETCH(QString, how);
        QFETCH(bool, picture);
        QFETCH(QString, focus);
        QFETCH(bool, inactive);
        const auto& lines = testing_support::workedExampleReport();
        auto preview = makePreview(lines);
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText("before");
        QStringList menuItems;
        QVERIFY(runModal(preview.get(), [&] {
            QListWidget* list = preview->List1;
            list->setCurrentRow(3);
            auto* target = preview->findChild<QWidget*>(focus);
            QVERIFY(target);
            target->setFocus();
            if (inactive) {
                // As when the key comes before the window system has made the
                // preview active; nothing runs between this and the key.
                QT_WARNING_PUSH
                QT_WARNING_DISABLE_DEPRECATED
                QApplication::setActiveWindow(nullptr);
                QT_WARNING_POP
                QVERIFY(!QApplication::activeWindow());
            }
            const QPoint onLine = list->visualItemRect(list->item(5)).center();
            if (how.startsWith("Ctrl")) {
                QTest::keyClick(target, Qt::Key_C,
                                how == "Ctrl+C" ? Qt::ControlModifier
                                                : Qt::ControlModifier | Qt::ShiftModifier);
            } else {
                QTimer::singleShot(0, [&] { pickFromMenu(picture ? 2 : 1, &menuItems, 500); });
                if (how == "Shift+F10") {
                    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
                } else if (how == "menu key") {
                    QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, {});
                    QApplication::sendEvent(list, &request);
                } else {
                    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, onLine);
                    QContextMenuEvent request(QContextMenuEvent::Mouse, onLine,
                                              list->viewport()->mapToGlobal(onLine));
                    QApplication::sendEvent(list->viewport(), &request);
                }
                QCOMPARE(menuItems, QStringList({"复制文字\tCtrl+C", "复制图片\tCtrl+Shift+C"}));
            }
            QCOMPARE(list->currentRow(), 3);
            QCOMPARE(list->count(), int(lines.size()));
            preview->Command1->click();
            preview->Command2->click();
        }));

        if (picture) {
            const QImage image = clipboard->image();
            const int dpi = qRound(image.dotsPerMeterY() * 0.0254);
            QVERIFY2(dpi >= 192, qPrintable(QString::number(dpi)));
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                     printing::reportPicture(lines, dpi));
        } else {
            QStringList expected;
            for (const std::string& line : lines) {
                expected << QString::fromStdString(line);
            }
            QCOMPARE(clipboard->text(), expected.join('\n'));
        }
        // The next print is the whole report, as it would have been.
        QCOMPARE(printed.size(), std::size_t(1));
        QCOMPARE(printed[0].size(), lines.size());
    }

  private:
    // Waits (a try every 10 ms) for the context menu, notes its items and their
    // shortcuts, and chooses the n-th with the arrow keys and Enter.
    static void pickFromMenu(int n, QStringList* items, int tries) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0) {
                QTimer::singleShot(10, [=] { pickFromMenu(n, items, tries - 1); });
            }
            return;
        }
        for (QAction* action : menu->actions()) {
            *items << action->text() + '\t' + action->shortcut().toString();
        }
        for (int i = 0; i < n; ++i) {
            QTest::keyClick(menu, Qt::Key_Down);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "preview_window_test.moc"
