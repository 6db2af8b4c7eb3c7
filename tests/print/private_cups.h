#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace etq::test {

// A CUPS scheduler of the test's own: its files, spool and socket live in a fresh temporary
// folder, so it neither touches nor sees the machine's printers. The process that owns it
// reaches it through CUPS_SERVER, which start() sets. Stopped and removed with the object.
class PrivateCups {
  public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Each returns an empty string on success, otherwise what went wrong.
    QString start();
    // A queue writing to a file of the output folder through the given driver (PPD model).
    QString addFileQueue(const QString& name, const QString& fileName, const QString& model);
    QString addQueue(const QStringList& lpadminArguments);
    QString setDefault(const QString& name);
    // Waits until no job is pending and `path` exists and stops growing.
    QString waitForOutput(const QString& path, int timeoutMs);

    QString outputFolder() const;

  private:
    QString run(const QString& program, const QStringList& arguments, QString* output = nullptr);
    QString log() const;

    QTemporaryDir root_;
    QProcess cupsd_;
};

}  // namespace etq::test
