#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testing_support {

// Acts on the next modal window as soon as it opens, from inside its event loop.
// A watchdog closes any modal window still open after the time limit and records
// it, so a test fails instead of hanging.
class ModalDriver {
  public:
    explicit ModalDriver(std::function<void(QWidget*)> action, int limitMs = 10000)
        : action_(std::move(action)), limitMs_(limitMs) {
        clock_.start();
        QObject::connect(&poll_, &QTimer::timeout, [this] { tick(); });
        poll_.start(5);
    }

    bool acted() const { return acted_; }
    bool timedOut() const { return timedOut_; }

  private:
    void tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (clock_.elapsed() > limitMs_) {
            timedOut_ = true;
            poll_.stop();
            while (QWidget* open = QApplication::activeModalWidget()) {
                open->close();
                if (auto* dialog = qobject_cast<QDialog*>(open)) {
                    dialog->reject();
                }
            }
            return;
        }
        if (!acted_ && modal) {
            acted_ = true;
            action_(modal);
        }
    }

    std::function<void(QWidget*)> action_;
    int limitMs_;
    QTimer poll_;
    QElapsedTimer clock_;
    bool acted_ = false;
    bool timedOut_ = false;
};

}  // namespace testing_support
