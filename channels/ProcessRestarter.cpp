#include "ProcessRestarter.h"

#include "ChannelsLogging.h"

#include <QCoreApplication>
#include <QProcess>

ProcessRestarter::ProcessRestarter(std::function<void()> closeWindow, QStringList arguments)
    : m_closeWindow(std::move(closeWindow))
    , m_arguments(std::move(arguments))
{}

bool ProcessRestarter::startNewInstance()
{
    const QString program = QCoreApplication::applicationFilePath();
    const bool started =
        QProcess::startDetached(program, m_arguments, QCoreApplication::applicationDirPath());
    if (!started) {
        qCWarning(lcChannels) << "could not start a new instance of" << program;
    }
    return started;
}

void ProcessRestarter::closeThisInstance()
{
    if (m_closeWindow) {
        m_closeWindow();
    }
}
