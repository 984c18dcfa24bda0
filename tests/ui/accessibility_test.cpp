// Every control a screen-reader user can reach, and every result caption, has a
// name to speak, and no two of a window share one.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QtTest>

#include "ui/form1.h"
#include "ui/preview_window.h"

class AccessibilityTest : public QObject {
    Q_OBJECT

  private:
    static QString spokenName(QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QString();
    }

    // The names of the window's focusable controls and of the given captions;
    // fails on an empty or repeated one.
    static void checkNames(QWidget* window, const QList<QWidget*>& captions, int expectedCount) {
        QList<QWidget*> spoken = captions;
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (child->focusPolicy() & Qt::TabFocus) {
                spoken << child;
            }
        }
        QCOMPARE(spoken.size(), expectedCount);
        QSet<QString> seen;
        for (QWidget* widget : spoken) {
            const QString name = spokenName(widget);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName() + " has no name"));
            QVERIFY2(!seen.contains(name), qPrintable(widget->objectName() + " repeats " + name));
            seen.insert(name);
        }
    }

  private slots:
    void mainWindowControlsAndResultsAreNamed() {
        ui::Form1 form;
        form.show();
        QCOMPARE(spokenName(form.T_Main[0]), QString("鱼缸主体 长"));
        QCOMPARE(spokenName(form.T_FU[2]), QString("辅助板材 块数"));
        QCOMPARE(spokenName(form.Com_Count), QString("开始计算"));
        QCOMPARE(spokenName(form.LabSize[1]), QString("左右短面尺寸 0"));
        QCOMPARE(spokenName(form.Label_HeJi[4]), QString("总费用合计"));
        // A result is heard by its label and its value (that the change is
        // announced is checked through a real AT-SPI bus by scripts/test).
        for (auto [field, text] :
             {std::pair{form.T_Main[0], "60"}, {form.T_Main[1], "30"}, {form.T_Main[2], "40"}}) {
            field->setText(text);
        }
        form.Command2_Click();
        QCOMPARE(spokenName(form.LabSize[0]), QString("前后长面尺寸 60 * 40 *  2 块"));
        QCOMPARE(spokenName(form.LabSize[2]), QString("底面尺寸 59 * 29 *  1 块"));
        QList<QWidget*> captions(form.LabSize.begin(), form.LabSize.end());
        for (int i : {0, 1, 3, 4}) {
            captions << form.Label_HeJi[i];
        }
        checkNames(&form, captions, 18 + 7);
    }

    // A screen reader walking the window never lands on a nameless text: the
    // result that is never shown or written stays off the window.
    void noTextOnTheWindowIsNameless() {
        ui::Form1 form;
        form.show();
        QList<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(&form)};
        int texts = 0;
        while (!pending.isEmpty()) {
            QAccessibleInterface* node = pending.takeLast();
            for (int i = 0; i < node->childCount(); ++i) {
                pending << node->child(i);
            }
            if (node->role() == QAccessible::StaticText) {
                ++texts;
                QVERIFY2(!node->text(QAccessible::Name).trimmed().isEmpty(),
                         qPrintable(node->object()->objectName() + " has no name"));
            }
        }
        QVERIFY2(texts >= 20, qPrintable(QString::number(texts)));
    }

    void previewWindowControlsAreNamed() {
        ui::FrmPrint preview([] { return nullptr; }, nullptr);
        QCOMPARE(spokenName(preview.Command1), QString("打印"));
        checkNames(&preview, {}, 3);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
