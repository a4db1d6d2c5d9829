#ifndef RARUDOR_TESTS_FAKEPROGRAM_H
#define RARUDOR_TESTS_FAKEPROGRAM_H

#include <QList>
#include <QString>
#include <QStringList>

// A shell script standing in for java or an installer: it records how it was
// started and exits with a chosen code.
class FakeProgram
{
public:
    struct Invocation {
        QString program;
        QString workingDirectory;
        QString marker;
        QStringList arguments;
    };

    // The variable whose value each run records, to show what environment it got.
    static const char *markerVariable();

    // Writes the script to path (creating folders); shellLines run after recording.
    FakeProgram(const QString &path, int exitCode, const QString &shellLines = QString());

    QString path() const;
    QList<Invocation> invocations() const;

private:
    QString m_path;
    QString m_recordPath;
};

#endif // RARUDOR_TESTS_FAKEPROGRAM_H
