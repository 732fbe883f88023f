#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

// How far a batch has got, on standard error: "已打印 1200/10000 张单据", at
// most once an interval. On a terminal each report overwrites the last
// (carriage return); anywhere else, as in a log, each is a line.
class BatchProgress
{
public:
    using Writer = std::function<void(const QString &)>;

    BatchProgress(Writer write, int intervalMs, bool terminal);

    void report(int done, int count);
    // Ends the line a terminal's report left open, before the next message.
    void end();

    static QString text(int done, int count);

private:
    Writer m_write;
    int m_intervalMs;
    bool m_terminal;
    bool m_lineOpen = false;
    QElapsedTimer m_sinceLast;
};
