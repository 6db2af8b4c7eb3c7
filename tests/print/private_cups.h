#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace etq::test {

// A CUPS scheduler of the test's own: its files, spool and socket live in a fresh temporary
// folder, so it neither touches nor sees the machine's printers. The process that owns it
// reaches it through CUPS_SERVER, which prepare() sets. Stopped and removed with the object.
class PrivateCups {
  public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Each returns an empty string on success, otherwise what went wrong.
    // Checks the tools, writes the configuration and points this process's CUPS clients at the
    // scheduler's socket, without starting it. libcups keeps the first server it sees for the
    // life of the process, so a test that wants no scheduler calls this before start().
    QString prepare();
    // Starts the scheduler unless it runs already.
    QString start();
    // Stops the scheduler; its queues and job history stay for the next start().
    void stop();
    // A queue writing to a file of the output folder through the given driver (PPD model).
    QString addFileQueue(const QString& name, const QString& fileName, const QString& model);
    QString addQueue(const QStringList& lpadminArguments);
    QString setDefault(const QString& name);
    // Runs a CUPS tool (lpadmin, cupsdisable, cupsenable...) against this scheduler.
    QString command(const QString& program, const QStringList& arguments);
    // Waits until no job of `queue` (of any queue when empty) is pending and `path` exists and
    // stops growing.
    QString waitForOutput(const QString& path, int timeoutMs, const QString& queue = QString());
    // Ids of the jobs of `queue` (every queue when empty) that lpstat lists for `which`:
    // "not-completed", "completed" or "all".
    QStringList jobs(const QString& queue, const QString& which, QString* error);

    QString outputFolder() const;

  private:
    QString run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    QString log() const;

    QTemporaryDir root_;
    bool prepared_ = false;
    QProcess cupsd_;
};

}  // namespace etq::test
