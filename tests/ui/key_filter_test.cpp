#include "ui/key_filter.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>
#include <string>

#include "model/input_numb.h"

class KeyFilterTest : public QObject {
    Q_OBJECT

  private:
    QWidget* window = nullptr;
    QLineEdit* field = nullptr;
    QLineEdit* other = nullptr;
    ui::KeyFilter* filter = nullptr;

    void commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(field, &event);
    }

  private slots:
    void init() {
        window = new QWidget;
        field = new QLineEdit(window);
        other = new QLineEdit(window);
        other->move(0, 40);
        filter = new ui::KeyFilter(window);
        field->installEventFilter(filter);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        field->setFocus();
    }
    void cleanup() { delete window; }

    // Every one of the 65,536 codes against the rule written another way: a code
    // passes unchanged exactly when it is a digit, the point, backspace or enter
    // (13 of them), and becomes 0 otherwise; so a code swapped for another fails.
    void everyCodeFollowsTheRule() {
        const std::string accepted = "0123456789.\b\r";
        int passed = 0;
        for (int code = -32768; code <= 32767; ++code) {
            const bool passes = code > 0 && code < 128 &&
                                accepted.find(static_cast<char>(code)) != std::string::npos;
            const std::int16_t want = passes ? static_cast<std::int16_t>(code) : 0;
            auto key = static_cast<std::int16_t>(code);
            const std::int16_t returned = model::InputNumb(key);
            if (key != want || returned != want) {
                QFAIL(qPrintable(
                    QString("%1 became %2, returned %3").arg(code).arg(key).arg(returned)));
            }
            passed += passes;
        }
        QCOMPARE(passed, 13);
    }

    void typedKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("digits and a point") << "12.5"
                                            << "12.5";
        QTest::newRow("minus dropped") << "-3"
                                       << "3";
        QTest::newRow("comma dropped") << "1,5"
                                       << "15";
        QTest::newRow("letter e dropped") << "1e3"
                                          << "13";
        QTest::newRow("space and plus dropped") << "1 +2"
                                                << "12";
        QTest::newRow("points not counted") << "1.2.3"
                                            << "1.2.3";
        QTest::newRow("letters only") << "abcXYZ"
                                      << "";
        QTest::newRow("symbols") << "!@#$%^&*()_=[]{};:'\"<>/?`~|\\"
                                 << "";
    }

    void typedKeys() {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        field->clear();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), left);
    }

    void controlCodesOtherThanBackspaceAndEnterAreDropped() {
        field->setText("7");
        field->end(false);
        for (char16_t code : {u'\x01', u'\x07', u'\x0b', u'\x1f', u'\x7f'}) {
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(QChar(code)),
                                Qt::NoModifier);
        }
        QCOMPARE(field->text(), QString("7"));
    }

    void nonAsciiTypedCharactersAreDropped() {
        field->clear();
        for (const QString& text : {QString("１"), QString("。"), QString("é"), QString("中"),
                                    QString::fromUtf8("\xF0\x9F\x90\x9F")}) {
            QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, text, Qt::NoModifier);
        }
        QCOMPARE(field->text(), QString());
    }

    void inputMethodCommitsAreFiltered() {
        field->clear();
        commit("１２");  // full-width digits from a Chinese input method
        QCOMPARE(field->text(), QString());
        commit("3");
        commit("4。.5");
        QCOMPARE(field->text(), QString("34.5"));
    }

    void backspaceEmptiesTheField() {
        field->setText("12");
        field->end(false);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString());
    }

    void editingKeysAndShortcutsStillWork() {
        field->setText("123");
        field->end(false);
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QString("23"));
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);  // undo the delete
        QCOMPARE(field->text(), QString("123"));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("123"));
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(field->text(), QString());
        // Pasted text is not filtered: the conversions judge it later.
        QApplication::clipboard()->setText("-1,5e3");
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QString("-1,5e3"));
    }

    void tabStillMovesTheFocus() {
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), other);
        QTest::keyClick(other, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), field);
    }
};

QTEST_MAIN(KeyFilterTest)
#include "key_filter_test.moc"
