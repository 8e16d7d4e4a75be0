#pragma once
// One running program per user: a second start asks the first to come to the front and ends.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered: it has been asked to come to the front.
    bool signalRunningInstance();
    // Starts listening; later starts call onRaise.
    bool listen(std::function<void()> onRaise);

    static QString keyFor(const QString &programDir);

private:
    QString key_;
    QLocalServer *server_ = nullptr;
};
