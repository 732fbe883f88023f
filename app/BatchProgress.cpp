#include "BatchProgress.h"

BatchProgress::BatchProgress(Writer write, int intervalMs, bool terminal)
    : m_write(std::move(write))
    , m_intervalMs(intervalMs)
    , m_terminal(terminal)
{
    m_sinceLast.start();
}

QString BatchProgress::text(int done, int count)
{
    return QStringLiteral("已打印 %1/%2 张单据").arg(done).arg(count);
}

void BatchProgress::report(int done, int count)
{
    if (m_sinceLast.elapsed() < m_intervalMs)
        return;
    m_sinceLast.restart();
    if (m_terminal) {
        m_write(QLatin1Char('\r') + text(done, count));
        m_lineOpen = true;
    } else {
        m_write(text(done, count) + QLatin1Char('\n'));
    }
}

void BatchProgress::end()
{
    if (m_lineOpen)
        m_write(QStringLiteral("\n"));
    m_lineOpen = false;
}
