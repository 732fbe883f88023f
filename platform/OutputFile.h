#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

// A file written beside its name and put under it only when it is whole:
// a failure part-way leaves nothing under the name (and a file that was
// there stays as it was until the new one replaces it in one step). Every
// write error is kept, with its reason, so that a full disk is never
// taken for success.
class OutputFile : public QIODevice
{
    Q_OBJECT

public:
    explicit OutputFile(const QString &path);
    ~OutputFile() override;

    // Why nothing can be written under path, found before anything is: no
    // name, a folder, a device, a missing folder, a name or path too long.
    // Empty when it may be tried.
    static QString refusal(const QString &path);

    // Makes the file beside the name; false, with errorText(), when it
    // cannot be made.
    bool begin();
    // A write failed; nothing more is written.
    bool failed() const { return !m_error.isEmpty(); }
    // Why the file could not be made, written or put in place.
    QString errorText() const { return m_error; }
    // Flushes the file to the disk, compares its length with what was
    // written and lets check read it (check returns what is wrong, empty
    // when nothing); then puts it under its name. False, with errorText(),
    // when any step fails: nothing is left beside or under the name.
    using Check = std::function<QString(const QString &writtenFile)>;
    bool commit(const Check &check = {});
    // Removes what was written, leaving the name as it was.
    void discard();
    // The name the file goes to: the one given, or the file a link names.
    QString path() const { return m_target; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool failWith(int error);
    bool closeFile();

    QString m_target;
    QString m_temporary;
    int m_fd = -1;
    qint64 m_written = 0;
    QString m_error;
};
