#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

namespace dvq3 {

// One running station per user: the first launch holds a lock file in the runtime folder and
// listens; a later launch finds the lock, asks the first to come forward and then ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key = QStringLiteral("dvq3test"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only running instance; false after telling the running one.
    bool claim();

signals:
    // Another launch asked this instance to restore and raise its window.
    void activationRequested();

private:
    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

} // namespace dvq3
