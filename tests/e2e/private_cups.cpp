#include "private_cups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

namespace testing_support {
namespace {

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(text.toUtf8()) >= 0;
}

// The CUPS programs live in sbin, which a non-login shell may not have on PATH.
QString executable(const QString& name) {
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty()) {
        found = QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"});
    }
    return found.isEmpty() ? name : found;
}

}  // namespace

PrivateCups::~PrivateCups() {
    stop();
}

QString PrivateCups::stop() {
    if (cupsd_.state() == QProcess::NotRunning) {
        return {};
    }
    cupsd_.terminate();  // cupsd saves its queues as it goes down
    if (!cupsd_.waitForFinished(10000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(2000);
        return "cupsd did not stop when asked";
    }
    return {};
}

QString PrivateCups::start() {
    if (!dir_.isValid()) {
        return "no temporary folder";
    }
    const QString root = dir_.path();
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther);
    for (const char* sub : {"conf", "spool", "cache", "state", "log", "tmp"}) {
        QDir(root).mkpath(sub);
    }
    const QString socket = root + "/cups.sock";
    const QString conf = QString(
                             "Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                             "DefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                             "</Policy>\n")
                             .arg(socket);
    const QString files = QString(
                              "ServerRoot %1/conf\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                              "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\n"
                              "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                              "Sandboxing Relaxed\n")
                              .arg(root);
    if (!writeFile(root + "/conf/cupsd.conf", conf) ||
        !writeFile(root + "/conf/cups-files.conf", files)) {
        return "cannot write the scheduler's configuration";
    }

    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    cupsd_.setProcessChannelMode(QProcess::ForwardedChannels);
    cupsd_.start(executable("cupsd"),
                 {"-f", "-c", root + "/conf/cupsd.conf", "-s", root + "/conf/cups-files.conf"});
    if (!cupsd_.waitForStarted(5000)) {
        return "cupsd did not start: " + cupsd_.errorString();
    }
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (cupsd_.state() == QProcess::NotRunning) {
            return "cupsd stopped at once:\n" + errorLog();
        }
        if (run("lpstat", {"-r"}).isEmpty()) {
            return {};
        }
        QThread::msleep(100);
    }
    return "cupsd did not answer within 20 s:\n" + errorLog();
}

QString PrivateCups::addDefaultRawQueue(const QString& name, const QString& deviceUri) {
    QString failure = run("lpadmin", {"-p", name, "-E", "-v", deviceUri, "-m", "raw"});
    if (failure.isEmpty()) {
        failure = run("lpadmin", {"-d", name});
    }
    return failure;
}

QString PrivateCups::errorLog() const {
    QFile log(dir_.path() + "/log/error_log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QString PrivateCups::run(const QString& program, const QStringList& arguments) {
    QProcess process;
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
