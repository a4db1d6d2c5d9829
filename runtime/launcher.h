#ifndef RARUDOR_RUNTIME_LAUNCHER_H
#define RARUDOR_RUNTIME_LAUNCHER_H

#include <QString>
#include <QStringList>

class Launcher
{
public:
    Launcher();

    int runProcess(const QString &program, const QStringList &arguments);
    int runCommand(const QString &command);

    bool findJava();
    bool launchWith(const QString &javaExecutable);
    bool launch();
    bool installJre();

    QString javaPath;
    QString jarPath;
    QString jreInstaller;
};

#endif // RARUDOR_RUNTIME_LAUNCHER_H
