#include "CupsTestServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vitalog::test {

namespace {

// An A4 PostScript printer whose unprintable edge is edgePoints on every side.
QByteArray Ppd(int edgePoints) {
    const QByteArray area = QByteArray::number(edgePoints) + ' ' + QByteArray::number(edgePoints) +
                            ' ' + QByteArray::number(595 - edgePoints) + ' ' +
                            QByteArray::number(842 - edgePoints);
    return "*PPD-Adobe: \"4.3\"\n"
           "*FormatVersion: \"4.3\"\n"
           "*FileVersion: \"1.0\"\n"
           "*LanguageVersion: English\n"
           "*LanguageEncoding: ISOLatin1\n"
           "*PCFileName: \"VITALOG.PPD\"\n"
           "*Manufacturer: \"Vitalog\"\n"
           "*Product: \"(Vitalog Test Printer)\"\n"
           "*ModelName: \"Vitalog Test Printer\"\n"
           "*ShortNickName: \"Vitalog Test Printer\"\n"
           "*NickName: \"Vitalog Test Printer\"\n"
           "*PSVersion: \"(3010.000) 0\"\n"
           "*LanguageLevel: \"3\"\n"
           "*ColorDevice: True\n"
           "*DefaultColorSpace: RGB\n"
           "*FileSystem: False\n"
           "*Throughput: \"1\"\n"
           "*LandscapeOrientation: Plus90\n"
           "*TTRasterizer: Type42\n"
           "*OpenUI *PageSize/Page Size: PickOne\n"
           "*OrderDependency: 10 AnySetup *PageSize\n"
           "*DefaultPageSize: A4\n"
           "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n"
           "*OpenUI *PageRegion: PickOne\n"
           "*OrderDependency: 10 AnySetup *PageRegion\n"
           "*DefaultPageRegion: A4\n"
           "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
           "*CloseUI: *PageRegion\n"
           "*DefaultImageableArea: A4\n"
           "*ImageableArea A4/A4: \"" +
           area +
           "\"\n"
           "*DefaultPaperDimension: A4\n"
           "*PaperDimension A4/A4: \"595 842\"\n"
           "*DefaultFont: Courier\n";
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

CupsTestServer::~CupsTestServer() {
    Stop();
}

bool CupsTestServer::Fail(const QString& why) {
    m_error = why;
    return false;
}

bool CupsTestServer::Run(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return Fail(program + QStringLiteral(" did not run: ") + process.errorString());
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Fail(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                    QStringLiteral(" failed: ") + text.trimmed());
    return true;
}

bool CupsTestServer::Start() {
    if (IsRunning())
        return true;
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (cupsd.isEmpty())
        return Fail(QStringLiteral("cupsd is not installed (scripts/install-deps.sh installs it, "
                                   "package cups-daemon)"));
    for (const char* tool : {"lpadmin", "lpstat", "ps2pdf"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() &&
            QStandardPaths::findExecutable(QString::fromLatin1(tool), {QStringLiteral("/usr/sbin")})
                .isEmpty())
            return Fail(QString::fromLatin1(tool) + QStringLiteral(" is not installed"));

    // cupsd wants short socket paths and folders the filters (run as lp) can reach.
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vitalog-cups-XXXXXX"));
    if (!m_dir->isValid())
        return Fail(QStringLiteral("no temporary folder: ") + m_dir->errorString());
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
    QDir root(m_dir->path());
    for (const char* folder : {"spool", "spool/tmp", "cache", "state", "log", "out"})
        if (!root.mkpath(QString::fromLatin1(folder)))
            return Fail(QStringLiteral("cannot create ") + Path(QString::fromLatin1(folder)));
    QFile::setPermissions(Path(QStringLiteral("out")), QFileDevice::Permissions(0x7777));

    const QByteArray dir = m_dir->path().toLocal8Bit();
    const QByteArray socket = dir + "/cups.sock";
    const QByteArray cupsdConf = "Listen " + socket +
                                 "\n"
                                 "LogLevel warn\n"
                                 "Browsing No\n"
                                 "WebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                 "  </Limit>\n</Policy>\n";
    // FileDevice lets a queue write into a file of ours; the user's own group in SystemGroup
    // lets the test administer the queues without a password (root in CI).
    const group* const ownGroup = getgrgid(getgid());
    const QByteArray systemGroup = ownGroup ? QByteArray(ownGroup->gr_name) : "root";
    const QByteArray filesConf = "FileDevice Yes\n"
                                 "SystemGroup " +
                                 systemGroup +
                                 "\n"
                                 "ServerRoot " +
                                 dir + "\nRequestRoot " + dir + "/spool\nTempDir " + dir +
                                 "/spool/tmp\nCacheDir " + dir + "/cache\nStateDir " + dir +
                                 "/state\nErrorLog " + dir + "/log/error_log\nAccessLog " + dir +
                                 "/log/access_log\nPageLog " + dir + "/log/page_log\n";
    if (!WriteFile(Path(QStringLiteral("cupsd.conf")), cupsdConf) ||
        !WriteFile(Path(QStringLiteral("cups-files.conf")), filesConf) ||
        !WriteFile(Path(QStringLiteral("noedge.ppd")), Ppd(0)) ||
        !WriteFile(Path(QStringLiteral("quarterinch.ppd")), Ppd(18)))
        return Fail(QStringLiteral("cannot write the server's configuration in ") + m_dir->path());

    const QByteArray program = cupsd.toLocal8Bit();
    const QByteArray conf = dir + "/cupsd.conf";
    const QByteArray files = dir + "/cups-files.conf";
    char* argv[] = {const_cast<char*>(program.constData()),
                    const_cast<char*>("-f"),
                    const_cast<char*>("-c"),
                    const_cast<char*>(conf.constData()),
                    const_cast<char*>("-s"),
                    const_cast<char*>(files.constData()),
                    nullptr};
    pid_t pid = 0;
    if (const int error = posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ))
        return Fail(QStringLiteral("cupsd could not be started: ") +
                    QString::fromLocal8Bit(strerror(error)));
    m_pid = pid;

    // Qt and the client tools find the server by this variable; nothing else may choose one.
    qputenv("CUPS_SERVER", socket);
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(QString::fromLocal8Bit(socket)) ||
           !Run(QStringLiteral("lpstat"), {QStringLiteral("-r")})) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = 0;
            QFile log(Path(QStringLiteral("log/error_log")));
            log.open(QIODevice::ReadOnly);
            return Fail(QStringLiteral("cupsd ended at its start (status %1): %2")
                            .arg(status)
                            .arg(QString::fromLocal8Bit(log.readAll()).trimmed()));
        }
        if (timer.elapsed() > 15000) {
            Stop();
            return Fail(QStringLiteral("cupsd did not answer on its socket within 15 s"));
        }
        QThread::msleep(50);
    }
    // The PDF-to-PostScript step: with Ghostscript, the filter's default, or poppler's pdftops
    // at PostScript level 3 the program's fonts lose their character codes and no text can be
    // read back from the page; the cairo renderer keeps them.
    const QString lpadmin =
        QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin")});
    for (const auto& [queue, ppd] :
         {std::pair{NoEdgeQueue, "noedge.ppd"}, std::pair{QuarterInchQueue, "quarterinch.ppd"}}) {
        const QString name = QString::fromLatin1(queue);
        if (!Run(lpadmin, {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                           QStringLiteral("file://") + Output(name), QStringLiteral("-P"),
                           Path(QString::fromLatin1(ppd)), QStringLiteral("-o"),
                           QStringLiteral("pdftops-renderer-default=pdftocairo")})) {
            const QString why = m_error;
            Stop();
            return Fail(why);
        }
    }
    if (!SetDefault(QString::fromLatin1(NoEdgeQueue))) {
        const QString why = m_error;
        Stop();
        return Fail(why);
    }
    return true;
}

void CupsTestServer::Stop() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        QElapsedTimer timer;
        timer.start();
        while (waitpid(m_pid, &status, WNOHANG) == 0) {
            if (timer.elapsed() > 10000) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, &status, 0);
                break;
            }
            QThread::msleep(20);
        }
        m_pid = 0;
    }
    m_dir.reset(); // removes the configuration, spool, logs and output
}

QString CupsTestServer::Output(const QString& queue) const {
    return Path(QStringLiteral("out/") + queue + QStringLiteral(".ps"));
}

bool CupsTestServer::SetDefault(const QString& queue) {
    return Run(
        QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin")}),
        {QStringLiteral("-d"), queue});
}

bool CupsTestServer::Accept(const QString& queue, bool accept) {
    const QString tool = QLatin1String(accept ? "cupsaccept" : "cupsreject");
    return Run(QStandardPaths::findExecutable(tool, {QStringLiteral("/usr/sbin")}), {queue});
}

int CupsTestServer::JobCount(const QString& queue) {
    QString text;
    if (!Run(QStringLiteral("lpstat"),
             {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue}, &text))
        return -1;
    return int(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QString CupsTestServer::TakeOutput(const QString& queue, int timeoutMs) {
    const QString output = Output(queue);
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QString pending;
        if (Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &pending) &&
            pending.trimmed().isEmpty() && QFileInfo(output).size() > 0)
            break;
        if (timer.elapsed() > timeoutMs) {
            Fail(QStringLiteral("no output from queue %1 within %2 ms; pending jobs: %3")
                     .arg(queue)
                     .arg(timeoutMs)
                     .arg(pending.trimmed()));
            return QString();
        }
        QThread::msleep(100);
    }
    const QString pdf = Path(QStringLiteral("job-%1.pdf").arg(++m_taken));
    if (!Run(QStringLiteral("ps2pdf"), {output, pdf}))
        return QString();
    QFile::remove(output);
    return pdf;
}

} // namespace vitalog::test
