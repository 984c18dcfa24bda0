#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>

class QTcpSocket;

namespace testing_support {

// A CUPS scheduler of the test's own: its configuration, spool and socket live in
// a temporary folder, and clients reach it through CUPS_SERVER, so the printers
// of the machine are never touched.
class PrivateCups {
  public:
    PrivateCups() = default;
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts the scheduler and points this process's CUPS clients at it. Returns
    // an empty string, or why it could not.
    QString start();

    // Adds a raw queue that sends each job to the device URI, and makes it the
    // default destination. Returns an empty string, or why it could not.
    QString addDefaultRawQueue(const QString& name, const QString& deviceUri);

    // Stops the scheduler; start() brings it back with the queues it had.
    QString stop();

    // Runs a CUPS client program against the scheduler; returns an empty string,
    // or its complaint.
    QString run(const QString& program, const QStringList& arguments);

    QString errorLog() const;

  private:
    QTemporaryDir dir_;
    QProcess cupsd_;
};

// Stands in for a network printer: keeps the bytes of every connection it takes,
// one job per connection.
class CaptureServer : public QObject {
    Q_OBJECT

  public:
    CaptureServer();
    quint16 port() const { return server_.serverPort(); }
    const QList<QByteArray>& jobs() const { return jobs_; }

  private:
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> open_;
    QList<QByteArray> jobs_;
};

}  // namespace testing_support
