#pragma once

#include <QString>
#include <QStringList>

// The files the program has open (the template store, the document sources'
// database files), so that no output is ever written over one of them.
namespace OpenFiles {

// Counts a file as open for as long as it lives.
class Hold
{
public:
    explicit Hold(QString path);
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

private:
    QString m_path;
};

QStringList all();
// The open file that path names (through any link), or empty.
QString heldAs(const QString &path);

} // namespace OpenFiles
