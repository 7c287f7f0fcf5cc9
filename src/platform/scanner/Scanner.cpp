#include "platform/scanner/Scanner.h"

#include "platform/IniFile.h"
#include "platform/IniPaths.h"

#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <thread>

namespace dvq3 {
namespace {

const QString kSection = QStringLiteral("Scanner");

// What the worker hands back. Shared, so that a worker left behind after a timeout still has
// somewhere to write.
struct ScanJob {
    std::mutex lock;
    bool done = false;
    ScanOutcome outcome;
    std::atomic<unsigned> answers{0};
};

} // namespace

ScannerConfig ReadScannerConfig() {
    ScannerConfig config;
    auto ini = IniFile::Load(IniFilePath());
    if (!ini)
        return config;
    const IniFile& file = ini.value();
    config.device = file.value(kSection, QStringLiteral("Device"), {});
    for (const QString& option :
         file.value(kSection, QStringLiteral("Options"), {}).split(u';', Qt::SkipEmptyParts))
        if (!option.trimmed().isEmpty())
            config.options << option.trimmed();
    bool ok = false;
    const double seconds = file.value(kSection, QStringLiteral("Timeout"), {}).toDouble(&ok);
    if (ok && seconds > 0 && seconds <= 3600)
        config.quiet = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    return config;
}

ScanOutcome AcquirePage(const std::shared_ptr<Scanner>& scanner, const ScanRequest& request,
                        std::chrono::milliseconds quiet, std::chrono::milliseconds grace) {
    auto job = std::make_shared<ScanJob>();
    std::thread([job, scanner, request] {
        ScanOutcome outcome = scanner->scanPage(request, [job] { ++job->answers; });
        const std::lock_guard hold(job->lock);
        job->outcome = std::move(outcome);
        job->done = true;
    }).detach();

    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + quiet;
    unsigned answersSeen = 0;
    bool cancelled = false;
    ScanOutcome result{ScannerStatus::Timeout, {}};
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        {
            const std::lock_guard hold(job->lock);
            if (job->done) {
                if (!cancelled)
                    result = std::move(job->outcome);
                loop.quit();
                return;
            }
        }
        if (const unsigned answers = job->answers; answers != answersSeen && !cancelled) {
            answersSeen = answers;
            deadline = Clock::now() + quiet;
        }
        if (Clock::now() < deadline)
            return;
        if (cancelled) {
            loop.quit(); // the device ignores the cancel too: it is left to itself
            return;
        }
        cancelled = true;
        scanner->cancel();
        deadline = Clock::now() + grace;
    });
    poll.start(20);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return result;
}

} // namespace dvq3
