#pragma once

#include <QString>

#include <exception>

// The one error type: what a failing operation hands back to the command
// that reports it (number, description, source).
class RuntimeError : public std::exception
{
public:
    enum Number {
        InvalidArgument = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        ObjectNotSet = 91,
        ElementNotLoaded = 340,
        ElementAlreadyLoaded = 360,
        DuplicateKey = 457,
        InvalidPropertyValue = 380,
        CannotLoadPicture = 481,
        PrinterError = 482,
        DialogCancelled = 32755,
        ObjectLimitReached = 32000,
        // The template store.
        StoreCannotOpen = 32100,
        StoreReadOnly = 32101,
        StoreBusy = 32102,
        StoreCorrupt = 32103,
        StoreFull = 32104,
        StoreFailed = 32105,
        StoreTooNew = 32106,
        StoreNotAStore = 32107,
        StoreMissing = 32108,
        StoreNeedsUpgrade = 32109,
        TemplateNotFound = 32110,
        TemplateDataCorrupt = 32111,
        TemplateIdsExhausted = 32112,
        CategoryNotFound = 32113,
        CategoryInUse = 32114,
        CategoryIsDemo = 32115,
        StoreUnreachable = 32116,
        StoreNotPermitted = 32117,
        TemplateFileTooNew = 32118,
        TemplateFileInvalid = 32119,
        // Document data sources.
        DataSourceUnreachable = 32120,
        DataSourceQueryFailed = 32121,
        DocumentNotFound = 32122,
        DemoDatabaseFailed = 32123,
        DataSourceTimedOut = 32124,
        DataSourceCancelled = 32125
    };

    // An error with the standard description of its number; source names
    // where it arose.
    explicit RuntimeError(enum Number number, QString source = QString());
    // An error whose reason comes from outside the program (what the printer
    // or a database reported): that reason is its description.
    RuntimeError(enum Number number, QString reason, QString source);

    // What the user reads for a standard error number (Chinese, as the
    // whole interface is).
    static QString standardDescription(int number);

    int Number() const { return m_number; }
    const QString &Description() const { return m_description; }
    const QString &Source() const { return m_source; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
