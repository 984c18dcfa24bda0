#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace testing_support {

// The tests' private CUPS scheduler, the scheduler service of tests/services:
// its configuration, spool and socket live in the build folder, and this
// process reaches it through CUPS_SERVER, so the machine's own printers are
// never touched.
class PrivateCups {
  public:
    // Why the tests must not print: empty when CUPS_SERVER names the private
    // scheduler's own socket and the scheduler is up. It needs root and is not
    // started without; a CUPS_SERVER from elsewhere is never used.
    static QString unavailableReason();

    // Adds a raw queue that sends each job to the device URI, and makes it the
    // default destination. Returns an empty string, or why it could not.
    QString addDefaultRawQueue(const QString& name, const QString& deviceUri);

    // Stops the scheduler; start() brings it back with the queues it had. Each
    // returns an empty string, or why it could not.
    QString stop();
    QString start();

    // Runs a CUPS client program against the private scheduler, whatever this
    // process inherited; returns an empty string, or its complaint.
    QString run(const QString& program, const QStringList& arguments);

    QString errorLog() const;
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
