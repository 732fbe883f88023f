#include "DocumentReading.h"

#include "print/ShowErrMsg.h"

#include "documents/DocumentData.h"
#include "documents/DocumentSource.h"
#include "documents/DocumentType.h"
#include "documents/PasswordVault.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <memory>
#include <mutex>
#include <optional>

namespace DocumentReading {

namespace {

// What the worker and the dialog share: the source while it reads (so 取消
// reaches it) and the outcome.
struct Shared
{
    std::mutex lock;
    DocumentSource *source = nullptr;
    bool cancelled = false;
    std::optional<DocumentData> data;
    std::optional<RuntimeError> error;

    void cancel()
    {
        const std::lock_guard<std::mutex> locked(lock);
        cancelled = true;
        if (source)
            source->cancel();
    }
};

void readOn(const std::shared_ptr<Shared> &shared, const DocumentType &type, int32_t billNo)
{
    DocumentSource source(type);
    {
        const std::lock_guard<std::mutex> locked(shared->lock);
        if (shared->cancelled)
            return;
        shared->source = &source;
    }
    try {
        shared->data = source.read(billNo);
    } catch (const RuntimeError &e) {
        shared->error = e;
    }
    const std::lock_guard<std::mutex> locked(shared->lock);
    shared->source = nullptr;
}

// A password is asked for on the user's thread; the worker finds it kept.
void askPasswordFirst(const DocumentType &type)
{
    const DataSourceSettings &s = type.source;
    if (s.isFileDatabase() || s.user.isEmpty())
        return;
    if (!PasswordVault::passwordFor(s, type.name))
        throw RuntimeError(RuntimeError::DataSourceUnreachable, QStringLiteral("没有输入密码"),
                           type.name);
}

} // namespace

DocumentData read(const DocumentType &type, int32_t billNo)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        DocumentSource source(type);
        return source.read(billNo);
    }
    askPasswordFirst(type);
    auto shared = std::make_shared<Shared>();
    std::unique_ptr<QThread> worker(
        QThread::create([shared, type, billNo] { readOn(shared, type, billNo); }));

    QProgressDialog progress;
    progress.setWindowTitle(AppExeName());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setLabelText(QStringLiteral("正在读取单据类别“%1”的单据 %2……\n最长等待 %3 秒。")
                              .arg(type.name)
                              .arg(billNo)
                              .arg(type.timeoutSeconds));
    progress.setCancelButtonText(QStringLiteral("取消"));
    progress.setRange(0, 0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(ShowAfterMs);
    // Starts the wait after which the dialog shows.
    progress.setValue(0);
    const QMetaObject::Connection cancelling
        = QObject::connect(&progress, &QProgressDialog::canceled, [shared] { shared->cancel(); });

    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    // Closing the dialog says "canceled" too; the read is over by now.
    QObject::disconnect(cancelling);
    progress.close();

    if (shared->cancelled)
        throw RuntimeError(RuntimeError::DataSourceCancelled, type.name);
    if (shared->error)
        throw *shared->error;
    return std::move(*shared->data);
}

} // namespace DocumentReading
