// At a scale factor of 2 the window is twice the size, every control at twice
// its place, and drawn at the screen's resolution rather than scaled up.
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include "ui/form1.h"

class HighDpiTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY2(qgetenv("QT_SCALE_FACTOR") == "2", "run with QT_SCALE_FACTOR=2");
    }

    void everythingIsTwiceTheSize() {
        ui::Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowHandle()->devicePixelRatio(), 2.0);
        QCOMPARE(form.size(), QSize(694, 527));  // in device-independent pixels

        // T_FU(2) sits at (336, 256) and is 61 x 21 at 96 dpi.
        const QPoint place = form.T_FU[2]->mapTo(&form, QPoint(0, 0));
        const qreal ratio = form.devicePixelRatioF();
        QCOMPARE(QPointF(place) * ratio, QPointF(672, 512));
        QCOMPARE(QSizeF(form.T_FU[2]->size()) * ratio, QSizeF(122, 42));

        // The window is drawn into a backing store of twice the pixels.
        const QPixmap picture = form.grab();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), QSize(1388, 1054));
    }
};

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
