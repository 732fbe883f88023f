#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

// A PostgreSQL server of the test's own: a cluster in a temporary folder,
// reached only through a socket in that folder, with a password on its
// one user, stopped and removed when the fixture goes. As root the server
// runs as "nobody", which is given the folder.
class PostgresCluster
{
public:
    static inline const QString User = QStringLiteral("tavrel");
    static inline const QString Password = QStringLiteral("套打-secret-1");
    static constexpr int Port = 5432;

    PostgresCluster() = default;
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;
    ~PostgresCluster() { stop(); }

    // Empty on success, otherwise what went wrong.
    QString start()
    {
        const QString bin = binaries();
        if (bin.isEmpty())
            return QStringLiteral("no PostgreSQL server under /usr/lib/postgresql/*/bin");
        m_bin = bin;
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        m_asNobody = ::geteuid() == 0;
        const QString pwfile = m_dir.filePath(QStringLiteral("pw"));
        QFile pw(pwfile);
        if (!pw.open(QIODevice::WriteOnly) || pw.write(Password.toUtf8() + "\n") < 0)
            return QStringLiteral("cannot write the password file");
        pw.close();
        for (const QString &path : {m_dir.path(), pwfile}) {
            if (m_asNobody && !giveToNobody(path))
                return QStringLiteral("cannot give %1 to the user nobody").arg(path);
        }
        QString out;
        if (!run(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), User,
                  QStringLiteral("--pwfile=") + pwfile, QStringLiteral("--auth=scram-sha-256"),
                  QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale")},
                 &out))
            return QStringLiteral("initdb failed: ") + out;
        return startAgain();
    }

    // Starts the cluster stopped by stop() again, its databases as they
    // were; empty on success, otherwise what went wrong.
    QString startAgain()
    {
        QString out;
        const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses=''").arg(socketDir()).arg(Port);
        if (!run(QStringLiteral("pg_ctl"),
                 {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
                  QStringLiteral("-o"), options, QStringLiteral("-w"), QStringLiteral("-t"),
                  QStringLiteral("60"), QStringLiteral("start")},
                 &out))
            return QStringLiteral("pg_ctl start failed: ") + out + log();
        m_running = true;
        return QString();
    }

    void stop()
    {
        if (!m_running)
            return;
        run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"),
                                       QStringLiteral("fast"), QStringLiteral("-w"),
                                       QStringLiteral("stop")},
            nullptr);
        m_running = false;
    }

    bool isRunning() const { return m_running; }
    QString socketDir() const { return m_dir.path(); }
    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Runs statements on a database of the cluster as its user; empty on
    // success, otherwise the error.
    QString exec(const QString &database, const QStringList &statements) const
    {
        const QString name = QStringLiteral("PostgresCluster-setup");
        QString error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(socketDir());
            db.setPort(Port);
            db.setDatabaseName(database);
            db.setUserName(User);
            db.setPassword(Password);
            if (!db.open()) {
                error = db.lastError().text();
            } else {
                QSqlQuery q(db);
                for (const QString &statement : statements) {
                    if (!q.exec(statement)) {
                        error = statement + QStringLiteral(": ") + q.lastError().text();
                        break;
                    }
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return error;
    }

private:
    static QString binaries()
    {
        const QDir root(QStringLiteral("/usr/lib/postgresql"));
        QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
        for (const QString &v : versions) {
            const QString bin = root.filePath(v + QStringLiteral("/bin"));
            if (QFile::exists(bin + QStringLiteral("/initdb")))
                return bin;
        }
        return QString();
    }

    static bool giveToNobody(const QString &path)
    {
        const passwd *nobody = ::getpwnam("nobody");
        return nobody
               && ::chown(path.toLocal8Bit().constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    }

    QString dataDir() const { return m_dir.filePath(QStringLiteral("data")); }

    bool run(const QString &tool, const QStringList &args, QString *out) const
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(m_dir.path());
        const QString program = m_bin + QLatin1Char('/') + tool;
        if (m_asNobody)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program}
                        + args);
        else
            p.start(program, args);
        const bool finished = p.waitForFinished(120000);
        if (out)
            *out = QString::fromLocal8Bit(p.readAll());
        return finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_asNobody = false;
    bool m_running = false;
};
