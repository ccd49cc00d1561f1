#include "gpssimprocess.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int START_MS = 10000;

} // namespace

GpssimProcess::~GpssimProcess()
{
    stop();
}

bool GpssimProcess::start(const QStringList& arguments)
{
    m_process.start(m_program, QStringList{QStringLiteral("--dir"), m_dir.path()} + arguments);
    const auto expected = arguments.filter(QRegularExpression(QStringLiteral("^--com\\d$"))).size();
    while (m_variables.size() < expected) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(START_MS))
            return false;
        const QByteArray line = m_process.readLine().trimmed();
        const QByteArray variable = line.left(line.indexOf('='));
        if (!variable.startsWith("DUNMERROW_COM"))
            return false;
        const QString link = QString::fromUtf8(line.mid(variable.size() + 1));
        qputenv(variable.constData(), QFileInfo(link).canonicalFilePath().toUtf8());
        m_variables.append(variable);
    }
    return true;
}

QStringList GpssimProcess::stop()
{
    QStringList summaries(4);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        m_process.waitForFinished();
    }
    for (const QByteArray& line : m_process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("# COM"))
            summaries[line.mid(5, 1).toInt() - 1] = QString::fromUtf8(line);
    }
    for (const QByteArray& variable : m_variables)
        qunsetenv(variable.constData());
    m_variables.clear();
    return summaries;
}

int GpssimProcess::field(const QString& summary, const QString& name)
{
    const QRegularExpression pattern(QStringLiteral("\\b%1=(\\d+)").arg(name));
    const QRegularExpressionMatch match = pattern.match(summary);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}
