#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <sys/types.h>

namespace vitalog::test {

// A private print server for end-to-end print tests: a cupsd of its own with its configuration,
// spool and socket in a temporary folder (no TCP port). CUPS_SERVER points Qt and the client
// tools at its socket. It offers two PostScript queues on A4 that write each job into a file,
// one with no unprintable edge and one with a quarter inch on every side; Start() makes the
// first the default printer. Jobs come back as PDF files (converted by Ghostscript) that
// pdftotext and pdftoppm read.
//
// The queues use the file: device rather than cups-pdf: cups-pdf takes its output folder from
// the system-wide /etc/cups/cups-pdf.conf, which a private server must not change, while a
// file: device writes where the queue says. The queues turn the program's PDF into PostScript
// with cairo (pdftocairo), as the default Ghostscript conversion leaves no readable text.
class CupsTestServer {
public:
    static constexpr const char* NoEdgeQueue = "VitalogNoEdge";
    static constexpr const char* QuarterInchQueue = "VitalogQuarterInch";

    CupsTestServer() = default;
    ~CupsTestServer();
    CupsTestServer(const CupsTestServer&) = delete;
    CupsTestServer& operator=(const CupsTestServer&) = delete;

    // Starts the daemon and sets up its queues. False with Error() saying why.
    bool Start();
    // Stops the daemon by its process id and removes its folder.
    void Stop();
    bool IsRunning() const { return m_pid > 0; }
    const QString& Error() const { return m_error; }

    bool SetDefault(const QString& queue);
    // cupsaccept / cupsreject.
    bool Accept(const QString& queue, bool accept);
    // Jobs the queue has been sent, finished or not.
    int JobCount(const QString& queue);
    // Waits until the queue has no pending job and its output is complete, then answers the
    // output as a PDF file (and forgets the queue's output for the next job); empty after the
    // timeout, with Error() saying why.
    QString TakeOutput(const QString& queue, int timeoutMs = 30000);

private:
    bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    bool Fail(const QString& why);
    QString Path(const QString& name) const { return m_dir->path() + QLatin1Char('/') + name; }
    QString Output(const QString& queue) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    pid_t m_pid = 0;
    QString m_error;
    int m_taken = 0;
};

} // namespace vitalog::test
