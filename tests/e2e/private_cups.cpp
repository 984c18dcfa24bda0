#include "private_cups.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>

namespace testing_support {
namespace {

// The CUPS programs live in sbin, which a non-login shell may not have on PATH.
QString executable(const QString& name) {
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty()) {
        found = QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"});
    }
    return found.isEmpty() ? name : found;
}

}  // namespace

constexpr const char* kSocket = QUILLMERE_SERVICES_DIR "/scheduler/cups.sock";

QString PrivateCups::unavailableReason() {
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    if (server.isEmpty()) {
        return "[root] the private scheduler needs root to start; this test did not run";
    }
    if (server != kSocket || !QFileInfo(server).exists()) {
        return "CUPS_SERVER is " + server + ", not the private scheduler's socket " + kSocket +
               ": this test prints on no other scheduler";
    }
    return {};
}

QString PrivateCups::stop() {
    return run(QUILLMERE_SERVICES_SCRIPT, {"stop", "scheduler", QUILLMERE_SERVICES_DIR});
}

QString PrivateCups::start() {
    return run(QUILLMERE_SERVICES_SCRIPT, {"resume", "scheduler", QUILLMERE_SERVICES_DIR});
}

QString PrivateCups::addDefaultRawQueue(const QString& name, const QString& deviceUri) {
    QString failure = run("lpadmin", {"-p", name, "-E", "-v", deviceUri, "-m", "raw"});
    if (failure.isEmpty()) {
        failure = run("lpadmin", {"-d", name});
    }
    return failure;
}

QString PrivateCups::errorLog() const {
    QFile log(QUILLMERE_SERVICES_DIR "/scheduler/log/error_log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QString PrivateCups::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CUPS_SERVER", kSocket);
    process.setProcessEnvironment(environment);
    process.start(executable(program), arguments);
    if (!process.waitForFinished(20000)) {
        return program + " did not finish";
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        (program == "lpstat" && !output.contains("is running"))) {
        return program + " failed: " + QString::fromUtf8(process.readAllStandardError()) + output;
    }
    return {};
}

CaptureServer::CaptureServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            open_.insert(socket, {});
            connect(socket, &QTcpSocket::readyRead, this,
                    [this, socket] { open_[socket].append(socket->readAll()); });
            // The backend shuts its side when the job is sent; closing ours lets
            // it finish.
            connect(socket, &QTcpSocket::readChannelFinished, this, [this, socket] {
                jobs_.append(open_.take(socket) + socket->readAll());
                socket->disconnectFromHost();
                socket->deleteLater();
            });
        }
    });
}

}  // namespace testing_support
