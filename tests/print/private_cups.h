#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace etq::test {

// A CUPS scheduler of the test's own, in a fresh temporary folder: it neither touches nor sees
// the machine's printers. Every QString returned is empty on success, else what went wrong.
class PrivateCups {
  public:
    PrivateCups();
    ~PrivateCups() { stop(); }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Points this process's CUPS clients at the scheduler without starting it. libcups keeps
    // the first server it sees: a test that wants no scheduler calls this first.
    QString prepare();
    QString start();  // unless it runs already
    void stop();      // its queues and job history stay for the next start()
    // A queue writing to a file of the output folder through a driver (PPD model).
    QString addFileQueue(const QString& name, const QString& fileName, const QString& model) {
        return addQueue({"-p", name, "-E", "-v",
                         "file://" + QDir(outputFolder()).filePath(fileName), "-m", model});
    }
    QString addQueue(const QStringList& arguments) { return run("lpadmin", arguments); }
    QString setDefault(const QString& name) { return run("lpadmin", {"-d", name}); }
    // Runs a CUPS tool (lpadmin, cupsdisable, cupsenable...) against this scheduler.
    QString command(const QString& tool, const QStringList& args) { return run(tool, args); }
    // Waits until no job of `queue` (of any when empty) is pending and `path` stops growing.
    QString waitForOutput(const QString& path, int timeoutMs, const QString& queue = QString());
    // Ids of the jobs of `queue` (all when empty) lpstat lists for `which`: "all", "completed"...
    QStringList jobs(const QString& queue, const QString& which, QString* error);
    QString outputFolder() const { return root_.filePath(QStringLiteral("out")); }

  private:
    QString run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    QString errorLog() const;

    QTemporaryDir root_;
    QProcess cupsd_;
};

}  // namespace etq::test
