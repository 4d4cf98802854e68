#pragma once

#include <QObject>
#include <QTimer>

// A timer that ticks every Interval milliseconds; an interval of zero stops it.
// The clock service may count the ticks instead of Qt (a test's clock does).
class Temporizzatore : public QObject
{
    Q_OBJECT

public:
    explicit Temporizzatore(QObject *parent);

    void setInterval(int millisecondi);
    int interval() const { return m_intervallo; }
    bool attivo() const { return m_timer.isActive(); }

signals:
    void Timer();

private:
    QTimer m_timer;
    int m_intervallo = 0;
};
