#pragma once

#include "store/StoreLocation.h"

#include <QGroupBox>

#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Where the templates are kept, in the options: this machine's file, or a
// database on the office's PostgreSQL server (host, port, database, user;
// the password is asked at the first connection of a session, never kept).
// CmdCopy copies this machine's catalogue into the server's.
class StoreChoice : public QGroupBox
{
    Q_OBJECT

public:
    explicit StoreChoice(QWidget *parent = nullptr);

    void showLocation(const StoreLocation &location);
    // The choice as entered; no value, and the reason in error, when a
    // server is chosen without a host, database or user.
    std::optional<StoreLocation> chosen(QString &error) const;
    // The file the choice of 本机文件 stands for.
    void setFilePath(const QString &path) { m_filePath = path; }

    QRadioButton *OptFile;
    QRadioButton *OptServer;
    QLineEdit *TxtHost;
    QSpinBox *TxtPort;
    QLineEdit *TxtDatabase;
    QLineEdit *TxtUser;
    QPushButton *CmdCopy;

private:
    void enableServerFields();
    void CmdCopy_Click();

    QString m_filePath;
};
