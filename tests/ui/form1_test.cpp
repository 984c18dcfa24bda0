#include "ui/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>
#include <vector>

#include "support/modal_driver.h"
#include "support/recorded_form.h"
#include "support/recording_printer.h"
#include "support/worked_example.h"
#include "ui/preview_window.h"
#include "window_kit/qt_translation.h"

using testing_support::ModalDriver;
using testing_support::pressAndDismiss;
using testing_support::RecordingPrinter;

// Receives the addresses the homepage link asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ui::Form1> form;
    std::vector<RecordingPrinter::Document> printed;

    void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QCOMPARE(field->text(), text);
    }

    void typeTank() {
        type(form->T_Main[0], "60");
        type(form->T_Main[1], "30");
        type(form->T_Main[2], "40");
        type(form->Text1, "100");
        type(form->T_mb, "2");
        type(form->Text3, "15");
        type(form->Text4, "2");
    }

    void addPlate(const QString& length, const QString& width, const QString& count) {
        type(form->T_FU[0], length);
        type(form->T_FU[1], width);
        type(form->T_FU[2], count);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    }

    QStringList captions() const {
        QStringList out;
        for (const QLabel* l : form->LabSize) {
            out << l->text();
        }
        for (const QLabel* l : form->Label_HeJi) {
            out << l->text();
        }
        return out;
    }

  private slots:
    void init() {
        printed.clear();
        form = testing_support::shownForm(&printed);
        QVERIFY(form);
    }
    void cleanup() { form.reset(); }

    void startState() {
        for (QLineEdit* f : {form->T_Main[0], form->T_Main[1], form->T_Main[2], form->Text1,
                             form->T_mb, form->Text3, form->Text4, form->T_FU[0], form->T_FU[1]}) {
            QCOMPARE(f->text(), QString("0"));
        }
        QCOMPARE(form->Text2->text(), QString("5"));
        QCOMPARE(form->T_FU[2]->text(), QString("1"));
        QCOMPARE(captions(), QStringList({"0", "0", "0", "", "", "", "", ""}));
        QCOMPARE(form->List1->count(), 0);
        QCOMPARE(int(form->plateTable().count()), 0);
        QCOMPARE(form->focusWidget(), form->T_Main[0]);
        QCOMPARE(form->windowTitle(), QString("Quillmere"));
        QVERIFY(!form->windowIcon().isNull());
    }

    // What the banner looks like on screen: grey, the title bold and italic in a
    // CJK face, the unit red and the homepage link green, the grey showing
    // through behind every label.
    void looksOfTheBannerAndLabels() {
        const QImage shot = form->grab().toImage();
        const auto inWindow = [&](QWidget* w) {
            return QRect(w->mapTo(form.get(), QPoint()), w->size());
        };
        const auto count = [&](const QRect& area, auto&& wanted) {
            int n = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    n += wanted(QColor(shot.pixel(x, y)));
                }
            }
            return n;
        };
        const QColor grey(224, 224, 224);
        const QRect banner = inWindow(form->Picture1).intersected(form->rect());
        QCOMPARE(QColor(shot.pixel(banner.right() - 2, banner.bottom() - 2)), grey);
        // The title is shorter than its label: the banner shows at its end.
        const QRect title = inWindow(form->Label11);
        QCOMPARE(QColor(shot.pixel(title.right() - 2, title.center().y())), grey);

        const auto red = [](const QColor& c) {
            return c.red() > 180 && c.green() < 90 && c.blue() < 90;
        };
        const auto green = [](const QColor& c) {
            return c.green() > 90 && c.red() < 60 && c.blue() < 60;
        };
        QVERIFY(count(inWindow(form->Label2), red) > 20);
        QCOMPARE(count(inWindow(form->Label2), green), 0);
        QVERIFY(count(inWindow(form->Label24), green) > 20);
        QCOMPARE(count(inWindow(form->Label24), red), 0);

        // 黑体 is rarely installed here: the title falls back to a CJK face.
        const QFontInfo face(form->Label11->font());
        QVERIFY2(
            face.family().contains("CJK") || face.family() == "SimHei" || face.family() == "黑体",
            qPrintable(face.family()));
        QVERIFY(face.bold() && face.italic());
        QCOMPARE(face.pointSize(), 12);
        QVERIFY(QFontInfo(form->Label24->font()).bold());
        QCOMPARE(form->Label11->text(), QString(" Quillmere"));
        QCOMPARE(form->Label24->cursor().shape(), Qt::ArrowCursor);
    }

    void windowIsCentredAtItsClientSize() {
        QCOMPARE(form->size(), QSize(694, 527));
        const QRect screen = form->screen()->availableGeometry();
        // Centred before the frame exists: off by at most the frame's border.
        const QMargins frame = form->windowHandle()->frameMargins();
        const int slack = 1 + qMax(frame.left(), frame.top());
        QVERIFY(qAbs(form->geometry().center().x() - screen.center().x()) <= slack);
        QVERIFY(qAbs(form->geometry().center().y() - screen.center().y()) <= slack);
    }

    void nestedFrameControlSitsAtItsPixelPlace() {
        // Frame2 (3900, 2520) + Frame3 (360, 180) + T_FU(2) (780, 1140) twips.
        const QPoint topLeft = form->T_FU[2]->mapTo(form.get(), QPoint(0, 0));
        QCOMPARE(topLeft, QPoint(336, 256));
        QCOMPARE(form->T_FU[2]->size(), QSize(61, 21));
        QCOMPARE(form->Label_HeJi[4]->mapTo(form.get(), QPoint(0, 0)), QPoint(328, 428));
    }

    void tabVisitsTheEighteenControlsAndWraps() {
        const QList<QWidget*> order = {
            form->T_Main[0], form->T_Main[1], form->T_Main[2], form->T_FU[0],   form->T_FU[1],
            form->T_FU[2],   form->Command1,  form->List1,     form->Picture1,  form->T_mb,
            form->Text1,     form->Text2,     form->Com_Count, form->Com_Print, form->Command5,
            form->Text3,     form->Text4,     form->Command2,  form->T_Main[0]};
        form->T_Main[0]->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        for (int i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

    void enterRunsNothingAndEscapeClosesNothing() {
        typeTank();
        for (QLineEdit* f : {form->T_Main[0], form->Text4, form->T_FU[2]}) {
            f->setFocus();
            QTest::keyClick(f, Qt::Key_Return);
            QTest::keyClick(f, Qt::Key_Enter);
            QTest::keyClick(f, Qt::Key_Escape);
        }
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QCOMPARE(captions(), QStringList({"0", "0", "0", "", "", "", "", ""}));
        QCOMPARE(form->List1->count(), 0);
    }

    void workedExampleThroughTheWidgets() {
        typeTank();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        addPlate("20", "10", "1");
        addPlate("25", "8", "2");
        QTest::mouseClick(form->Com_Count, Qt::LeftButton);
        QCOMPARE(captions(),
                 QStringList({"60 * 40 *  2 块", "29 * 40 *  2 块", "59 * 29 *  1 块",
                              "(主体面积 0.8831  +  辅助板材面积 0.06) *  单价 100 = 94.31",
                              "总边长9.86*  单价 2 = 19.72", "", "15* 2= 30", "144.03"}));
        QCOMPARE(form->List1->count(), 2);
        QCOMPARE(form->List1->item(0)->text(), QString("长20  *  宽  10   *  1块"));
        QCOMPARE(form->List1->item(1)->text(), QString("长25  *  宽  8   *  2块"));
        QCOMPARE(int(form->plateTable().count()), 2);
    }

    void failureShowsTheErrorKeepsEarlierCaptionsAndTheNextPressWorks() {
        typeTank();
        type(form->Text4, "3");
        QTest::mouseClick(form->Com_Count, Qt::LeftButton);
        QCOMPARE(form->Label_HeJi[3]->text(), QString("15* 3= 45"));

        type(form->Text1, "200");
        form->Text4->clear();
        QCOMPARE(pressAndDismiss(form->Com_Count), QString("运行时错误：类型不匹配"));
        // The glass and edge lines are new, the glue and total lines are the old.
        QCOMPARE(form->Label_HeJi[0]->text(),
                 QString("(主体面积 0.8831  +  辅助板材面积 0) *  单价 200 = 176.62"));
        QCOMPARE(form->Label_HeJi[1]->text(), QString("总边长8.6*  单价 2 = 17.2"));
        QCOMPARE(form->Label_HeJi[3]->text(), QString("15* 3= 45"));
        QCOMPARE(form->Label_HeJi[4]->text(), QString("150.51"));
        QCOMPARE(form->Text4->text(), QString());  // nothing typed is lost or changed
        QCOMPARE(form->Text1->text(), QString("200"));

        type(form->Text4, "2");
        QTest::mouseClick(form->Com_Count, Qt::LeftButton);
        QCOMPARE(form->Label_HeJi[4]->text(), QString("223.82"));
    }

    void failedAddLeavesNoLine() {
        form->T_FU[1]->clear();
        QCOMPARE(pressAndDismiss(form->Command1), QString("运行时错误：类型不匹配"));
        QCOMPARE(form->List1->count(), 0);
        QCOMPARE(int(form->plateTable().count()), 0);
    }

    void panelFailureKeepsTheFirstCaption() {
        type(form->T_Main[0], "60");
        form->Text2->clear();
        QCOMPARE(pressAndDismiss(form->Command2), QString("运行时错误：类型不匹配"));
        QCOMPARE(captions().mid(0, 3), QStringList({"60 * 0 *  2 块", "0", "0"}));
    }

    void printPreviewShowsTheReportAndPrints() {
        typeTank();
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        addPlate("20", "10", "1");
        addPlate("25", "8", "2");
        QTest::mouseClick(form->Com_Count, Qt::LeftButton);
        form->List1->setCurrentRow(0);

        QStringList shown;
        ModalDriver driver([&](QWidget* modal) {
            auto* preview = dynamic_cast<ui::FrmPrint*>(modal);
            QVERIFY(preview);
            for (int i = 0; i < preview->List1->count(); ++i) {
                shown << preview->List1->item(i)->text();
            }
            QTest::mouseClick(preview->Command1, Qt::LeftButton);
            QTest::mouseClick(preview->Command2, Qt::LeftButton);
        });
        QTest::mouseClick(form->Com_Print, Qt::LeftButton);
        QVERIFY(!driver.timedOut());
        QStringList expected;
        for (const std::string& line : testing_support::workedExampleReport()) {
            expected << QString::fromStdString(line);
        }
        QCOMPARE(shown, expected);
        QCOMPARE(form->List1->currentRow(), 1);  // the last plate line stays selected
        QCOMPARE(printed.size(), std::size_t(1));
        QCOMPARE(printed[0].size(), std::size_t(17));
        QCOMPARE(printed[0][16].y, 6600);
    }

    void secondPreviewIsFreshAndTheSame() {
        QList<QStringList> previews;
        for (int round = 0; round < 2; ++round) {
            QStringList lines;
            ModalDriver driver([&](QWidget* modal) {
                auto* preview = dynamic_cast<ui::FrmPrint*>(modal);
                for (int i = 0; preview && i < preview->List1->count(); ++i) {
                    lines << preview->List1->item(i)->text();
                }
                modal->close();  // the close box
            });
            QTest::mouseClick(form->Com_Print, Qt::LeftButton);
            QVERIFY(!driver.timedOut());
            previews << lines;
        }
        QCOMPARE(previews[0].size(), 15);
        QCOMPARE(previews[0], previews[1]);
        QCOMPARE(form->List1->currentRow(), -1);  // no plates: selection unchanged
    }

    void homepageLinkOpensTheAddress() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        QTest::mouseClick(form->Label24, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened[0].host(), QString("quillmere.example.org"));
        QVERIFY(form->Label24->text().endsWith("quillmere.example.org"));
        QVERIFY(!form->Label24->font().underline());
    }

    // The toolkit's own texts read in Chinese under any locale (ctest runs this
    // suite with LANG=C); the shortcuts keep their usual keys.
    void toolkitTextsAreChinese() {
        QMessageBox box(QMessageBox::Critical, "Quillmere", "", QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("确定"));
        std::unique_ptr<QMenu> menu(form->T_Main[0]->createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text().section('\t', 0, 0);
                QVERIFY2(!texts.last().contains(QRegularExpression("[a-zA-Z]{2}")),
                         qPrintable(action->text()));
            }
        }
        QVERIFY2(texts.size() >= 7, qPrintable(texts.join(", ")));
        QCOMPARE(menu->actions().first()->text().section('\t', 1),
                 QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
    }

    void exitClosesAtOnceWithoutAQuestion() {
        typeTank();
        ModalDriver noQuestion([](QWidget* modal) { modal->close(); }, 2000);
        QTest::mouseClick(form->Command5, Qt::LeftButton);
        QVERIFY(!noQuestion.acted());
        QVERIFY(!form->isVisible());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    if (!kit::installQtChineseTexts(app)) {
        return 1;
    }
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "form1_test.moc"
